#pragma once

#include "backendconfig.h"
#include "backenderror.h"
#include "session.h"
#include "userdefaultsstorage.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <QUrlQuery>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

// Our client of the hosted account service's HTTP API: e-mail sign-up,
// sessions (kept through the storage adapter and refreshed before they
// expire), server functions and the settings table. Every callback runs later
// on the thread of the client, never inside the call that started it.
class BackendClient : public QObject
{
    Q_OBJECT

public:
    enum class AuthChangeEvent { signedIn, tokenRefreshed, signedOut };
    Q_ENUM(AuthChangeEvent)

    template <typename T>
    using Callback = std::function<void(const Result<T> &)>;

    BackendClient(const BackendConfig &config, UserDefaultsStorage storage, QObject *parent = nullptr);

    const BackendConfig &config() const { return m_config; }
    // The session held now, as last stored or refreshed.
    const std::optional<Session> &session() const { return m_session; }
    // Every request gives up after this long (30 s unless changed).
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    // The preferences key of the stored session.
    QString storageKey() const;

    // The stored session, refreshed first when it is about to expire.
    void currentSession(const Callback<Session> &done);
    void signUp(const QString &email, const QString &password, const Callback<Done> &done);
    // Makes the tokens the current session once the service accepts them.
    void setSession(const QString &accessToken, const QString &refreshToken, const Callback<Session> &done);
    // Ends every session of the user and forgets the local one.
    void signOut(const Callback<Done> &done);
    // Calls a server function with a JSON body; the answer's bytes.
    void invokeFunction(const QString &name, const QJsonObject &body, const Callback<QByteArray> &done);
    // Rows of a table as JSON bytes.
    void select(const QString &table, const QUrlQuery &query, const Callback<QByteArray> &done);
    // Inserts the row, or updates the existing row with the same key in
    // exactly the columns given.
    void upsert(const QString &table, const QJsonObject &row, const Callback<Done> &done);

signals:
    void authStateChanged(BackendClient::AuthChangeEvent event, const std::optional<Session> &session);

private:
    struct Response {
        int status = 0;
        QByteArray body;
        bool relayError = false;
    };
    using ResponseCallback = std::function<void(const Result<Response> &)>;

    void send(const QByteArray &method, const QString &path, const QUrlQuery &query, const QByteArray &body,
              const QString &bearer, const ResponseCallback &done, const QList<std::pair<QByteArray, QByteArray>> &headers = {});
    // Runs `work` with the access token to send: the session's (refreshed
    // first when due) or, without a session, the anonymous key.
    void withAccessToken(const std::function<void(const Result<QString> &)> &work);
    void refresh(const std::function<void(const Result<Session> &)> &done);
    void adoptSession(const Session &session, AuthChangeEvent event);
    void forgetSession();
    void scheduleRefresh();
    bool isDue(const Session &session) const;
    template <typename T>
    void later(const Callback<T> &done, const Result<T> &result);

    BackendConfig m_config;
    UserDefaultsStorage m_storage;
    QNetworkAccessManager *m_network;
    std::optional<Session> m_session;
    QTimer m_refreshTimer;
    int m_timeout = 30000;
    // Callers waiting for the refresh in flight; one request serves them all.
    QList<std::function<void(const Result<Session> &)>> m_refreshWaiters;
};
