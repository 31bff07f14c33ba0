#include "localbackend.h"
#include "support/tempconfig.h"
#include "support/tintoraprocess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

using Run = TintoraRun;

// The account and cloud commands of tintora against a real local backend.
class TestCliAccount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void wholeAccountFlow();
    void unconfiguredService();
    void usage();

private:
    Run tintora(const QStringList &arguments, const QByteArray &input = {}, bool configured = true);

    LocalBackend m_backend;
    TempConfig m_config;
};

void TestCliAccount::initTestCase() { QVERIFY2(m_backend.start(), qPrintable(m_backend.errorString())); }

Run TestCliAccount::tintora(const QStringList &arguments, const QByteArray &input, bool configured)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    environment.insert(QStringLiteral("TINTORA_BACKEND_URL"), configured ? m_backend.url().toString() : QString());
    environment.insert(QStringLiteral("TINTORA_BACKEND_KEY"), configured ? QString::fromUtf8(m_backend.anonKey()) : QString());
    return runTintora(arguments, input, environment);
}

void TestCliAccount::wholeAccountFlow()
{
    const QString email = QStringLiteral("cli@example.com");
    Run run = tintora({QStringLiteral("account"), QStringLiteral("signup"), email}, "secret12\n");
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.startsWith(QStringLiteral("Created the account cli@example.com.\n")));

    run = tintora({QStringLiteral("account"), QStringLiteral("signup"), email}, "secret12\n");
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QStringLiteral("tintora: sign-up failed: User already registered\n"));

    run = tintora({QStringLiteral("account"), QStringLiteral("signout")});
    QCOMPARE(run.exitCode, 0);
    run = tintora({QStringLiteral("account"), QStringLiteral("status")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QStringLiteral("Not signed in: working as a guest.\n"));
    run = tintora({QStringLiteral("cloud"), QStringLiteral("push"), QStringLiteral("library")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith(QStringLiteral("tintora: not signed in")));

    run = tintora({QStringLiteral("account"), QStringLiteral("signin"), email}, "wrong-password\n");
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QStringLiteral("tintora: Invalid email or password. Please try again.\n"));

    run = tintora({QStringLiteral("account"), QStringLiteral("signin"), email}, "secret12\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Signed in as cli@example.com.\n"));
    QVERIFY2(!run.err.contains(QStringLiteral("Token")), "tokens stay out of the output");

    run = tintora({QStringLiteral("account"), QStringLiteral("status")});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("Signed in as cli@example.com"));
    QVERIFY(lines[1].startsWith(QStringLiteral("User id ")) && lines[1].size() == 8 + 36);

    run = tintora({QStringLiteral("cloud"), QStringLiteral("pull"), QStringLiteral("settings")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QStringLiteral("tintora: the account holds no settings yet\n"));
    run = tintora({QStringLiteral("cloud"), QStringLiteral("push"), QStringLiteral("settings")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Uploaded the settings.\n"));
    run = tintora({QStringLiteral("cloud"), QStringLiteral("push"), QStringLiteral("library")});
    QCOMPARE(run.exitCode, 0);
    run = tintora({QStringLiteral("cloud"), QStringLiteral("pull"), QStringLiteral("library")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Downloaded the library.\n"));
    run = tintora({QStringLiteral("cloud"), QStringLiteral("pull"), QStringLiteral("settings")});
    QCOMPARE(run.exitCode, 0);

    run = tintora({QStringLiteral("account"), QStringLiteral("signout")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("Signed out.\n"));
    QCOMPARE(tintora({QStringLiteral("account"), QStringLiteral("status")}).exitCode, 1);
}

void TestCliAccount::unconfiguredService()
{
    const Run run = tintora({QStringLiteral("account"), QStringLiteral("signin"), QStringLiteral("x@example.com")},
                            "secret12\n", false);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains(QStringLiteral("No account service is configured")));
    QVERIFY(run.err.endsWith(QStringLiteral("tintora: Something went wrong. Please try again.\n")));
}

void TestCliAccount::usage()
{
    for (const QStringList &arguments : {QStringList{"account"}, QStringList{"account", "signin"},
                                         QStringList{"account", "status", "extra"}, QStringList{"cloud", "push"},
                                         QStringList{"cloud", "sync", "library"}}) {
        const Run run = tintora(arguments);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.err.count(u'\n'), 1);
    }
    // No password on standard input.
    const Run run = tintora({QStringLiteral("account"), QStringLiteral("signin"), QStringLiteral("x@example.com")});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.err, QStringLiteral("tintora: account signin: no password given\n"));
}

QTEST_GUILESS_MAIN(TestCliAccount)
#include "tst_cliaccount.moc"
