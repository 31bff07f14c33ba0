#include "accountfixture.h"
#include "settings/settingsmanager.h"

#include <QSignalSpy>
#include <QTest>

// Short-lived access tokens: the client refreshes them before they expire.
class TestSessionRefresh : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refreshesBeforeExpiry();
    void restoredExpiredSessionIsRefreshed();

private:
    LocalBackend m_backend{{QStringLiteral("--jwt-lifetime"), QStringLiteral("4")}};
};

void TestSessionRefresh::initTestCase() { QVERIFY2(m_backend.start(), qPrintable(m_backend.errorString())); }

void TestSessionRefresh::refreshesBeforeExpiry()
{
    AccountUser user(m_backend, QStringLiteral("nia"));
    QVERIFY(user.signUp().ok());
    QVERIFY(user.signIn().ok());
    const Session first = *user.auth->session();

    // The refresh arrives as a session change well before the token's four
    // seconds are over, and replaces both tokens.
    QSignalSpy changes(user.auth.get(), &AuthManager::sessionChanged);
    QVERIFY(changes.wait(6000));
    const Session second = *user.auth->session();
    QVERIFY(second.accessToken != first.accessToken);
    QVERIFY(second.refreshToken != first.refreshToken);
    QCOMPARE(second.user, first.user);
    QVERIFY(!user.auth->isGuestMode());

    // Long after the first token expired, the account still works.
    QTest::qWait(5000);
    SettingsManager settings(*user.preferences);
    settings.setAuthManager(user.auth.get());
    std::optional<SettingsManager::CloudOutcome> outcome;
    settings.saveSettingsToCloud([&outcome](SettingsManager::CloudOutcome o) { outcome = o; });
    QVERIFY(QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 30000));
    QCOMPARE(*outcome, SettingsManager::CloudOutcome::succeeded);
}

void TestSessionRefresh::restoredExpiredSessionIsRefreshed()
{
    AccountUser user(m_backend, QStringLiteral("oli"));
    QVERIFY(user.signUp().ok());
    QVERIFY(user.signIn().ok());
    const QString stale = user.auth->session()->accessToken;
    // Closed before its token expires, started again after.
    user.auth.reset();
    QTest::qWait(4500);
    user.restart();
    QVERIFY(QTest::qWaitFor([&] { return user.auth->session().has_value(); }, 30000));
    QVERIFY(user.auth->session()->accessToken != stale);
    QVERIFY(user.auth->session()->expiresAt > QDateTime::currentDateTimeUtc());
}

QTEST_GUILESS_MAIN(TestSessionRefresh)
#include "tst_sessionrefresh.moc"
