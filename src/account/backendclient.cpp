#include "backendclient.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimeZone>
#include <algorithm>

namespace {

constexpr int retryAfterTransportFailureMs = 30000;

bool isSuccess(int status) { return status >= 200 && status < 300; }

QByteArray json(const QJsonObject &object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }

// How long before expiry a session is refreshed: a quarter of the token's
// lifetime, at most 30 seconds.
qint64 refreshMarginSeconds(const Session &session)
{
    const QJsonObject claims = Jwt::claims(session.accessToken);
    const qint64 issued = qint64(claims.value(QStringLiteral("iat")).toDouble());
    const qint64 expires = qint64(claims.value(QStringLiteral("exp")).toDouble());
    const qint64 lifetime = issued > 0 && expires > issued ? expires - issued : 3600;
    return std::min<qint64>(30, lifetime / 4);
}

} // namespace

BackendClient::BackendClient(const BackendConfig &config, UserDefaultsStorage storage, QObject *parent)
    : QObject(parent), m_config(config), m_storage(storage), m_network(new QNetworkAccessManager(this))
{
    m_refreshTimer.setSingleShot(true);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        refresh([this](const Result<Session> &result) {
            // A refresh that found no answer is tried again while the session lasts.
            if (!result.ok() && result.error().kind == BackendError::Kind::transport && m_session)
                m_refreshTimer.start(retryAfterTransportFailureMs);
        });
    });
    if (const auto stored = m_storage.retrieve(storageKey())) {
        m_session = Session::fromJson(QJsonDocument::fromJson(*stored).object());
        scheduleRefresh();
    }
}

QString BackendClient::storageKey() const
{
    // One stored session per service, so a local and a hosted one never mix.
    QString host = m_config.url.host();
    if (m_config.url.port() > 0)
        host += u'-' + QString::number(m_config.url.port());
    host.replace(u'.', u'-');
    return QStringLiteral("sb-%1-auth-token").arg(host);
}

template <typename T>
void BackendClient::later(const Callback<T> &done, const Result<T> &result)
{
    QMetaObject::invokeMethod(this, [done, result] { done(result); }, Qt::QueuedConnection);
}

void BackendClient::send(const QByteArray &method, const QString &path, const QUrlQuery &query, const QByteArray &body,
                         const QString &bearer, const ResponseCallback &done,
                         const QList<std::pair<QByteArray, QByteArray>> &headers)
{
    if (!m_config.isConfigured()) {
        later<Response>(done, BackendError::notConfigured());
        return;
    }
    QUrl url = m_config.url;
    url.setPath(url.path() + path);
    url.setQuery(query);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setRawHeader("apikey", m_config.anonKey.toUtf8());
    request.setRawHeader("Authorization", "Bearer " + bearer.toUtf8());
    request.setRawHeader("X-Client-Info", "tintora/" TINTORA_VERSION);
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    request.setTransferTimeout(m_timeout);
    QNetworkReply *reply = m_network->sendCustomRequest(request, method, body);
    connect(reply, &QNetworkReply::finished, this, [reply, done] {
        reply->deleteLater();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid()) {
            // The transfer timeout is the only reason a request of ours is cancelled.
            const QString description = reply->error() == QNetworkReply::OperationCanceledError
                ? QStringLiteral("The request timed out.")
                : reply->errorString();
            done(BackendError{BackendError::Kind::transport, description, 0, {}});
            return;
        }
        done(Response{status.toInt(), reply->readAll(), reply->rawHeader("x-relay-error") == "true"});
    });
}

bool BackendClient::isDue(const Session &session) const
{
    return QDateTime::currentDateTimeUtc().secsTo(session.expiresAt) <= refreshMarginSeconds(session);
}

void BackendClient::scheduleRefresh()
{
    if (!m_session) {
        m_refreshTimer.stop();
        return;
    }
    const qint64 seconds = QDateTime::currentDateTimeUtc().secsTo(m_session->expiresAt) - refreshMarginSeconds(*m_session);
    m_refreshTimer.start(int(std::clamp<qint64>(seconds, 0, 24 * 3600) * 1000));
}

void BackendClient::adoptSession(const Session &session, AuthChangeEvent event)
{
    m_session = session;
    m_storage.store(storageKey(), json(session.toJson()));
    scheduleRefresh();
    emit authStateChanged(event, m_session);
}

void BackendClient::forgetSession()
{
    m_session.reset();
    m_storage.remove(storageKey());
    m_refreshTimer.stop();
    emit authStateChanged(AuthChangeEvent::signedOut, std::nullopt);
}

void BackendClient::refresh(const std::function<void(const Result<Session> &)> &done)
{
    m_refreshWaiters << done;
    if (m_refreshWaiters.size() > 1)
        return;
    auto finish = [this](const Result<Session> &result) {
        const auto waiters = std::exchange(m_refreshWaiters, {});
        for (const auto &waiter : waiters)
            waiter(result);
    };
    if (!m_session) {
        later<Session>(finish, BackendError{BackendError::Kind::sessionMissing, QStringLiteral("Auth session missing!"), 0, {}});
        return;
    }
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("grant_type"), QStringLiteral("refresh_token"));
    send("POST", QStringLiteral("/auth/v1/token"), query,
         json({{QStringLiteral("refresh_token"), m_session->refreshToken}}), m_config.anonKey,
         [this, finish](const Result<Response> &result) {
             if (!result.ok()) {
                 finish(result.error());
                 return;
             }
             const Response &response = result.value();
             if (!isSuccess(response.status)) {
                 // The service refused the refresh token: the session is over.
                 if (response.status >= 400 && response.status < 500 && m_session)
                     forgetSession();
                 finish(BackendError::http(response.status, response.body));
                 return;
             }
             const auto session = Session::fromJson(QJsonDocument::fromJson(response.body).object());
             if (!session) {
                 finish(BackendError{BackendError::Kind::decoding, QStringLiteral("The refreshed session could not be read."), 0, {}});
                 return;
             }
             adoptSession(*session, AuthChangeEvent::tokenRefreshed);
             finish(*session);
         });
}

void BackendClient::withAccessToken(const std::function<void(const Result<QString> &)> &work)
{
    if (!m_session) {
        later<QString>(work, m_config.anonKey);
        return;
    }
    if (isDue(*m_session)) {
        refresh([work](const Result<Session> &result) {
            if (result.ok())
                work(result.value().accessToken);
            else
                work(result.error());
        });
        return;
    }
    later<QString>(work, m_session->accessToken);
}

void BackendClient::currentSession(const Callback<Session> &done)
{
    if (!m_session) {
        later<Session>(done, BackendError{BackendError::Kind::sessionMissing, QStringLiteral("Auth session missing!"), 0, {}});
        return;
    }
    if (isDue(*m_session)) {
        refresh(done);
        return;
    }
    later<Session>(done, *m_session);
}

void BackendClient::signUp(const QString &email, const QString &password, const Callback<Done> &done)
{
    send("POST", QStringLiteral("/auth/v1/signup"), {},
         json({{QStringLiteral("email"), email}, {QStringLiteral("password"), password}}), m_config.anonKey,
         [this, done](const Result<Response> &result) {
             if (!result.ok())
                 return done(result.error());
             const Response &response = result.value();
             if (!isSuccess(response.status))
                 return done(BackendError::http(response.status, response.body));
             // Without e-mail confirmation the service signs the new user in at once.
             if (const auto session = Session::fromJson(QJsonDocument::fromJson(response.body).object()))
                 adoptSession(*session, AuthChangeEvent::signedIn);
             done(Done{});
         });
}

void BackendClient::setSession(const QString &accessToken, const QString &refreshToken, const Callback<Session> &done)
{
    send("GET", QStringLiteral("/auth/v1/user"), {}, {}, accessToken,
         [this, accessToken, refreshToken, done](const Result<Response> &result) {
             if (!result.ok())
                 return done(result.error());
             const Response &response = result.value();
             if (!isSuccess(response.status))
                 return done(BackendError::http(response.status, response.body));
             const auto user = User::fromJson(QJsonDocument::fromJson(response.body).object());
             const QJsonValue exp = Jwt::claims(accessToken).value(QStringLiteral("exp"));
             if (!user || !exp.isDouble())
                 return done(BackendError{BackendError::Kind::decoding, QStringLiteral("The session could not be read."), 0, {}});
             const Session session{accessToken, refreshToken,
                                   QDateTime::fromSecsSinceEpoch(qint64(exp.toDouble()), QTimeZone::utc()), *user};
             adoptSession(session, AuthChangeEvent::signedIn);
             done(session);
         });
}

void BackendClient::signOut(const Callback<Done> &done)
{
    if (!m_session) {
        forgetSession();
        later<Done>(done, Done{});
        return;
    }
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("scope"), QStringLiteral("global"));
    send("POST", QStringLiteral("/auth/v1/logout"), query, {}, m_session->accessToken,
         [this, done](const Result<Response> &result) {
             if (!result.ok())
                 return done(result.error());
             const int status = result.value().status;
             // A session the service no longer knows is over as well.
             if (!isSuccess(status) && status != 401 && status != 403 && status != 404)
                 return done(BackendError::http(status, result.value().body));
             forgetSession();
             done(Done{});
         });
}

void BackendClient::invokeFunction(const QString &name, const QJsonObject &body, const Callback<QByteArray> &done)
{
    withAccessToken([this, name, body, done](const Result<QString> &token) {
        if (!token.ok())
            return done(token.error());
        send("POST", QStringLiteral("/functions/v1/") + name, {}, json(body), token.value(),
             [done](const Result<Response> &result) {
                 if (!result.ok())
                     return done(result.error());
                 const Response &response = result.value();
                 if (response.relayError) {
                     return done(BackendError{BackendError::Kind::relay,
                                              QStringLiteral("Relay Error invoking the Edge Function"), response.status,
                                              response.body});
                 }
                 if (!isSuccess(response.status))
                     return done(BackendError::http(response.status, response.body));
                 done(response.body);
             });
    });
}

void BackendClient::select(const QString &table, const QUrlQuery &query, const Callback<QByteArray> &done)
{
    withAccessToken([this, table, query, done](const Result<QString> &token) {
        if (!token.ok())
            return done(token.error());
        send("GET", QStringLiteral("/rest/v1/") + table, query, {}, token.value(), [done](const Result<Response> &result) {
            if (!result.ok())
                return done(result.error());
            if (!isSuccess(result.value().status))
                return done(BackendError::http(result.value().status, result.value().body));
            done(result.value().body);
        });
    });
}

void BackendClient::upsert(const QString &table, const QJsonObject &row, const Callback<Done> &done)
{
    withAccessToken([this, table, row, done](const Result<QString> &token) {
        if (!token.ok())
            return done(token.error());
        send("POST", QStringLiteral("/rest/v1/") + table, {}, json(row), token.value(),
             [done](const Result<Response> &result) {
                 if (!result.ok())
                     return done(result.error());
                 if (!isSuccess(result.value().status))
                     return done(BackendError::http(result.value().status, result.value().body));
                 done(Done{});
             },
             {{"Prefer", "resolution=merge-duplicates,return=minimal"}});
    });
}
