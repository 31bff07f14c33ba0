#include "platform/launchatloginmanager.h"
#include "support/files.h"
#include "support/logcapture.h"
#include "support/tempconfig.h"

#include <QTest>

namespace {

QString entryPath(const TempConfig &config) { return config.path() + QStringLiteral("/autostart/tintora.desktop"); }

QString execLine(const QString &path)
{
    const QStringList lines = QString::fromUtf8(readFile(path)).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(QStringLiteral("Exec=")))
            return line;
    }
    return {};
}

bool logged(const LogCapture &log, const QString &prefix)
{
    const QStringList lines = log.lines();
    return std::any_of(lines.begin(), lines.end(), [&prefix](const QString &line) { return line.startsWith(prefix); });
}

} // namespace

class TestLaunchAtLogin : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void entryFollowsXdgConfigHomeAtEachCall();
    void enablingWritesAnEntryAndDisablingRemovesIt();
    void isEnabledReadsTheEntry_data();
    void isEnabledReadsTheEntry();
    void execQuotesTheProgram_data();
    void execQuotesTheProgram();
    void failuresAreLoggedAndLeaveTheEntry();
};

void TestLaunchAtLogin::cleanup() { LaunchAtLoginManager::shared().setExecutable(QString()); }

void TestLaunchAtLogin::entryFollowsXdgConfigHomeAtEachCall()
{
    LaunchAtLoginManager &manager = LaunchAtLoginManager::shared();
    {
        TempConfig config;
        QCOMPARE(LaunchAtLoginManager::autostartFilePath(), entryPath(config));
        manager.setEnabled(true);
        QVERIFY(QFile::exists(entryPath(config)));
    }
    TempConfig other;
    QCOMPARE(LaunchAtLoginManager::autostartFilePath(), entryPath(other));
    QVERIFY(!manager.isEnabled());
}

void TestLaunchAtLogin::enablingWritesAnEntryAndDisablingRemovesIt()
{
    TempConfig config;
    LogCapture log;
    LaunchAtLoginManager &manager = LaunchAtLoginManager::shared();
    QVERIFY(!manager.isEnabled());

    manager.setEnabled(true);
    QVERIFY(manager.isEnabled());
    const QString entry = QString::fromUtf8(readFile(entryPath(config)));
    QVERIFY(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    QVERIFY(entry.contains(QStringLiteral("\nType=Application\n")));
    // This test program is not tintora: the entry starts tintora from the PATH.
    QCOMPARE(execLine(entryPath(config)), QStringLiteral("Exec=tintora"));

    manager.setEnabled(false);
    QVERIFY(!manager.isEnabled());
    QVERIFY(!QFile::exists(entryPath(config)));
    manager.setEnabled(false);
    QCOMPARE(log.lines(), QStringList());
}

void TestLaunchAtLogin::isEnabledReadsTheEntry_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("plain entry") << QByteArray("[Desktop Entry]\nType=Application\nExec=tintora\n") << true;
    QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nExec=tintora\nHidden=true\n") << false;
    QTest::newRow("not hidden") << QByteArray("[Desktop Entry]\nExec=tintora\nHidden=false\n") << true;
    QTest::newRow("switched off in GNOME") << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n")
                                           << false;
    QTest::newRow("blanks around") << QByteArray("[Desktop Entry]\n  Hidden = true  \n") << false;
    QTest::newRow("hidden in another group")
        << QByteArray("[Desktop Entry]\nExec=tintora\n[Desktop Action New]\nHidden=true\n") << true;
}

void TestLaunchAtLogin::isEnabledReadsTheEntry()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, enabled);
    TempConfig config;
    writeFile(entryPath(config), contents);
    QCOMPARE(LaunchAtLoginManager::shared().isEnabled(), enabled);
}

void TestLaunchAtLogin::execQuotesTheProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");

    QTest::newRow("plain path") << QStringLiteral("/usr/bin/tintora") << QStringLiteral("Exec=/usr/bin/tintora");
    QTest::newRow("blank") << QStringLiteral("/opt/My Apps/tintora") << QStringLiteral("Exec=\"/opt/My Apps/tintora\"");
    // Inside quotes ", `, $ and \ get a backslash, then every backslash of
    // the value is doubled.
    QTest::newRow("dollar") << QStringLiteral("/opt/$HOME/tintora") << QStringLiteral("Exec=\"/opt/\\\\$HOME/tintora\"");
    QTest::newRow("backslash") << QStringLiteral("/opt/a\\b/tintora")
                               << QStringLiteral("Exec=\"/opt/a\\\\\\\\b/tintora\"");
    QTest::newRow("double quote") << QStringLiteral("/opt/\"x\"/tintora")
                                  << QStringLiteral("Exec=\"/opt/\\\\\"x\\\\\"/tintora\"");
    // A lone % would start a field code.
    QTest::newRow("percent") << QStringLiteral("/opt/100%/tintora") << QStringLiteral("Exec=/opt/100%%/tintora");
    QTest::newRow("percent and blank") << QStringLiteral("/opt/100 %/tintora")
                                       << QStringLiteral("Exec=\"/opt/100 %%/tintora\"");
}

void TestLaunchAtLogin::execQuotesTheProgram()
{
    QFETCH(QString, program);
    QFETCH(QString, exec);
    TempConfig config;
    LaunchAtLoginManager &manager = LaunchAtLoginManager::shared();
    manager.setExecutable(program);
    manager.setEnabled(true);
    QCOMPARE(execLine(entryPath(config)), exec);
}

void TestLaunchAtLogin::failuresAreLoggedAndLeaveTheEntry()
{
    LaunchAtLoginManager &manager = LaunchAtLoginManager::shared();
    {
        // A file where the autostart folder belongs.
        TempConfig config;
        writeFile(config.path() + QStringLiteral("/autostart"), "not a folder");
        LogCapture log;
        manager.setEnabled(true);
        QVERIFY(logged(log, QStringLiteral("Failed to enable launch at login: ")));
        QVERIFY(!manager.isEnabled());
    }
    {
        // A folder where the entry belongs cannot be removed as a file.
        TempConfig config;
        writeFile(entryPath(config) + QStringLiteral("/inside"), "x");
        LogCapture log;
        manager.setEnabled(false);
        QVERIFY(logged(log, QStringLiteral("Failed to disable launch at login: ")));
        QVERIFY(QFile::exists(entryPath(config) + QStringLiteral("/inside")));
    }
}

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
