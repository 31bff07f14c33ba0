#pragma once

#include "backendclient.h"
#include "usersettingsrow.h"

#include <QObject>
#include <optional>

class PreferencesStore;

// The optional account: restores the stored session at start, follows the
// client's session changes, signs up, in and out, and reads and writes the
// user's settings row. Guest mode is a flag of its own: a restored session
// does not clear it, signing in does.
class AuthManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(std::optional<Session> session READ session NOTIFY sessionChanged)
    Q_PROPERTY(std::optional<User> user READ user NOTIFY userChanged)
    Q_PROPERTY(bool isGuestMode READ isGuestMode NOTIFY isGuestModeChanged)
    Q_PROPERTY(bool shouldShowLogin READ shouldShowLogin WRITE setShouldShowLogin NOTIFY shouldShowLoginChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage NOTIFY errorMessageChanged)

public:
    template <typename T>
    using Callback = std::function<void(const Result<T> &)>;

    AuthManager(const BackendConfig &config, PreferencesStore &preferences, QObject *parent = nullptr);

    // The process-wide instance over the configured service and the standard
    // preferences, created on first use.
    static AuthManager &shared();

    BackendClient &client() { return m_client; }

    const std::optional<Session> &session() const { return m_session; }
    const std::optional<User> &user() const { return m_user; }
    bool isGuestMode() const { return m_isGuestMode; }
    bool shouldShowLogin() const { return m_shouldShowLogin; }
    void setShouldShowLogin(bool show);
    const std::optional<QString> &errorMessage() const { return m_errorMessage; }

    void signUp(const QString &email, const QString &password, const Callback<Done> &done);
    // Through the "login-session" function; a failure sets errorMessage.
    void signIn(const QString &email, const QString &password, const Callback<Done> &done);
    void signOut(const QString &reason, const Callback<Done> &done);
    void enableGuestMode();

    // Runs `done` once the stored session has been restored (or found
    // missing) at start; at once when that already happened.
    void whenRestored(const std::function<void()> &done);

    // Writes "id" and the columns given; the other column keeps its value.
    void saveUserSettingsToCloud(const std::optional<QList<LibraryPalette>> &palettes,
                                 const std::optional<AppConfiguration> &config, const Callback<Done> &done);
    // Nothing when the user has no row.
    void fetchUserSettings(const Callback<std::optional<CloudSettings>> &done);

    // The message a failed sign-in shows.
    static QString signInMessage(const BackendError &error);

signals:
    void sessionChanged();
    void userChanged();
    void isGuestModeChanged();
    void shouldShowLoginChanged();
    void errorMessageChanged();

private:
    void initializeSession();
    void setSessionAndUser(const std::optional<Session> &session);
    void setGuestMode(bool guest);
    void failSignIn(const BackendError &error, const Callback<Done> &done);
    QString userIdText() const;

    BackendClient m_client;
    std::optional<Session> m_session;
    std::optional<User> m_user;
    bool m_isGuestMode = true;
    bool m_shouldShowLogin = false;
    std::optional<QString> m_errorMessage;
    bool m_restored = false;
    QList<std::function<void()>> m_restoreWaiters;
};
