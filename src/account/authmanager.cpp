#include "authmanager.h"

#include "loginresponse.h"
#include "platform/log.h"
#include "platform/preferencesstore.h"

#include <QJsonDocument>
#include <QTimer>

namespace {

// "message", else "error", of a JSON object body.
std::optional<QString> serverMessage(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return std::nullopt;
    for (const QString &key : {QStringLiteral("message"), QStringLiteral("error")}) {
        const QJsonValue value = document.object().value(key);
        if (value.isString())
            return value.toString();
    }
    return std::nullopt;
}

} // namespace

AuthManager::AuthManager(const BackendConfig &config, PreferencesStore &preferences, QObject *parent)
    : QObject(parent), m_client(config, UserDefaultsStorage(preferences))
{
    // Every session change (sign-in, refresh, sign-out) replaces the fields.
    connect(&m_client, &BackendClient::authStateChanged, this,
            [this](BackendClient::AuthChangeEvent, const std::optional<Session> &session) { setSessionAndUser(session); });
    QTimer::singleShot(0, this, &AuthManager::initializeSession);
}

AuthManager &AuthManager::shared()
{
    static AuthManager *instance = new AuthManager(BackendConfig::fromBuildAndEnvironment(), PreferencesStore::standard());
    return *instance;
}

void AuthManager::initializeSession()
{
    // A failed restore is silent: the user simply starts as a guest. The
    // client's latest session is used, in case a change came in meanwhile.
    m_client.currentSession([this](const Result<Session> &result) {
        if (result.ok())
            setSessionAndUser(m_client.session());
        m_restored = true;
        for (const auto &waiter : std::exchange(m_restoreWaiters, {}))
            waiter();
    });
}

void AuthManager::whenRestored(const std::function<void()> &done)
{
    if (m_restored)
        QTimer::singleShot(0, this, done);
    else
        m_restoreWaiters << done;
}

void AuthManager::setSessionAndUser(const std::optional<Session> &session)
{
    if (m_session != session) {
        m_session = session;
        emit sessionChanged();
    }
    const std::optional<User> user = session ? std::optional<User>(session->user) : std::nullopt;
    if (m_user != user) {
        m_user = user;
        emit userChanged();
    }
}

void AuthManager::setGuestMode(bool guest)
{
    if (m_isGuestMode == guest)
        return;
    m_isGuestMode = guest;
    emit isGuestModeChanged();
}

void AuthManager::setShouldShowLogin(bool show)
{
    if (m_shouldShowLogin == show)
        return;
    m_shouldShowLogin = show;
    emit shouldShowLoginChanged();
}

void AuthManager::signUp(const QString &email, const QString &password, const Callback<Done> &done)
{
    m_client.signUp(email, password, done);
}

QString AuthManager::signInMessage(const BackendError &error)
{
    switch (error.kind) {
    case BackendError::Kind::decoding: return QStringLiteral("Decoding Error: ") + error.description;
    case BackendError::Kind::http:
        if (error.status == 400)
            return serverMessage(error.body).value_or(QStringLiteral("Invalid request. Please check your information."));
        if (error.status == 401)
            return QStringLiteral("Invalid email or password. Please try again.");
        return QStringLiteral("Login failed (%1). Please try again later.").arg(error.status);
    case BackendError::Kind::relay: return QStringLiteral("Network connection issue. Please try again.");
    default: return QStringLiteral("Something went wrong. Please try again.");
    }
}

void AuthManager::failSignIn(const BackendError &error, const Callback<Done> &done)
{
    if (error.kind == BackendError::Kind::decoding)
        Log::failure(QStringLiteral("AuthManager: JSON Decoding Error: ") + error.description);
    else if (error.kind != BackendError::Kind::http && error.kind != BackendError::Kind::relay)
        Log::failure(QStringLiteral("SignIn Error: ") + error.description);
    m_errorMessage = signInMessage(error);
    emit errorMessageChanged();
    done(error);
}

void AuthManager::signIn(const QString &email, const QString &password, const Callback<Done> &done)
{
    const QJsonObject body{{QStringLiteral("email"), email}, {QStringLiteral("password"), password}};
    m_client.invokeFunction(QStringLiteral("login-session"), body, [this, done](const Result<QByteArray> &answer) {
        if (!answer.ok())
            return failSignIn(answer.error(), done);
        const Result<LoginResponse> login = LoginResponse::decode(answer.value());
        if (!login.ok())
            return failSignIn(login.error(), done);
        Log::info(QStringLiteral("AuthManager: login-session successful response. Token: ")
                  + login.value().accessToken.left(10) + QStringLiteral("..."));
        m_client.setSession(login.value().accessToken, login.value().refreshToken,
                            [this, done](const Result<Session> &session) {
                                // Any failure to take the tokens is reported as "other".
                                if (!session.ok()) {
                                    BackendError error = session.error();
                                    error.kind = BackendError::Kind::transport;
                                    return failSignIn(error, done);
                                }
                                setGuestMode(false);
                                setShouldShowLogin(false);
                                done(Done{});
                            });
    });
}

void AuthManager::signOut(const QString &reason, const Callback<Done> &done)
{
    Log::info(QStringLiteral("AuthManager: Signing out. Reason: ") + reason);
    m_client.signOut([this, done](const Result<Done> &result) {
        if (result.ok())
            setGuestMode(true);
        done(result);
    });
}

void AuthManager::enableGuestMode()
{
    setGuestMode(true);
    setShouldShowLogin(false);
}

QString AuthManager::userIdText() const { return m_user ? Palettes::uuidText(m_user->id) : QString(); }

void AuthManager::saveUserSettingsToCloud(const std::optional<QList<LibraryPalette>> &palettes,
                                          const std::optional<AppConfiguration> &config, const Callback<Done> &done)
{
    if (!m_user) {
        QTimer::singleShot(0, this, [done] { done(BackendError::notSignedIn()); });
        return;
    }
    m_client.upsert(QStringLiteral("user_settings"), UserSettings::payload(m_user->id, palettes, config), done);
}

void AuthManager::fetchUserSettings(const Callback<std::optional<CloudSettings>> &done)
{
    if (!m_user) {
        QTimer::singleShot(0, this, [done] { done(BackendError::notSignedIn()); });
        return;
    }
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("select"), QStringLiteral("*"));
    query.addQueryItem(QStringLiteral("id"), QStringLiteral("eq.") + userIdText());
    m_client.select(QStringLiteral("user_settings"), query, [done](const Result<QByteArray> &answer) {
        if (!answer.ok())
            return done(answer.error());
        const auto rows = UserSettings::decodeRows(answer.value());
        if (!rows.ok())
            return done(rows.error());
        if (rows.value().isEmpty())
            return done(std::optional<CloudSettings>());
        const UserSettings &row = rows.value().first();
        done(std::optional<CloudSettings>(CloudSettings{row.palette_library.value_or(QList<LibraryPalette>()), row.app_configuration}));
    });
}
