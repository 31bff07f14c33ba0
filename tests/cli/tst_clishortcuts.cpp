#include "platform/preferencesstore.h"
#include "platform/shortcutstore.h"
#include "platform/singleinstance.h"
#include "support/tintoraprocess.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Run = TintoraRun;

// The shortcut commands and --action, with their own preferences and runtime
// folder, so that no real instance or settings are touched.
class TestCliShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void listsAllNames();
    void setAndClear_data();
    void setAndClear();
    void refusedChanges_data();
    void refusedChanges();
    void runningInstanceHearsOfChanges();
    void action_data();
    void action();
    void actionWithoutInstance();
    void helpNamesTheCommands();

private:
    Run tintora(const QStringList &arguments);
    std::unique_ptr<ShortcutStore> storeOnDisk();

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<PreferencesStore> m_preferences;
};

void TestCliShortcuts::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", m_runtime->path().toUtf8());
}

Run TestCliShortcuts::tintora(const QStringList &arguments) { return runTintora(arguments); }

std::unique_ptr<ShortcutStore> TestCliShortcuts::storeOnDisk()
{
    m_preferences = std::make_unique<PreferencesStore>(PreferencesStore::defaultFilePath());
    m_preferences->reload();
    return std::make_unique<ShortcutStore>(*m_preferences);
}

void TestCliShortcuts::listsAllNames()
{
    QCOMPARE(tintora({QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("slot3"),
                      QStringLiteral("alt+F2")}).exitCode, 0);
    const Run run = tintora({QStringLiteral("shortcuts")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    const QStringList lines = run.out.split(u'\n');
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QStringLiteral("foregroundColor  not set"));
    QCOMPARE(lines[5], QStringLiteral("slot3            Alt+F2"));
    QCOMPARE(lines[11], QStringLiteral("myPalette5       not set"));

    const Run json = tintora({QStringLiteral("--json"), QStringLiteral("shortcuts")});
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(object.keys().size(), 12);
    QCOMPARE(object[QStringLiteral("slot3")].toString(), QStringLiteral("Alt+F2"));
    QVERIFY(object[QStringLiteral("slot1")].isNull());
}

void TestCliShortcuts::setAndClear_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("carbonKeyCode");
    QTest::addColumn<int>("carbonModifiers");
    QTest::newRow("letters in any case") << "ctrl+SHIFT+p" << "Ctrl+Shift+P" << 35 << (256 | 512);
    QTest::newRow("super and alt") << "Super+Alt+Left" << "Alt+Super+Left" << 123 << (4096 | 2048);
    QTest::newRow("keypad") << "Ctrl+Num+5" << "Ctrl+Num+5" << 87 << 256;
    QTest::newRow("function key alone") << "F9" << "F9" << 101 << 0;
}

void TestCliShortcuts::setAndClear()
{
    QFETCH(QString, typed);
    QFETCH(QString, display);
    QFETCH(int, carbonKeyCode);
    QFETCH(int, carbonModifiers);

    const Run set = tintora({QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("backgroundColor"), typed});
    QCOMPARE(set.exitCode, 0);
    QCOMPARE(set.out, QStringLiteral("backgroundColor  %1\n").arg(display));
    QCOMPARE(storeOnDisk()->combination(QStringLiteral("backgroundColor")),
             std::optional(KeyCombination{carbonKeyCode, carbonModifiers}));

    const Run clear = tintora({QStringLiteral("shortcuts"), QStringLiteral("clear"), QStringLiteral("backgroundColor")});
    QCOMPARE(clear.exitCode, 0);
    QCOMPARE(clear.out, QStringLiteral("backgroundColor  not set\n"));
    QCOMPARE(storeOnDisk()->combination(QStringLiteral("backgroundColor")), std::nullopt);
}

void TestCliShortcuts::refusedChanges_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown name") << QStringList{"shortcuts", "set", "pick", "Ctrl+P"}
                                  << "tintora: 'pick' is no shortcut name; use one of foregroundColor, backgroundColor, "
                                     "alwaysOnTop, slot1, slot2, slot3, slot4, myPalette1, myPalette2, myPalette3, "
                                     "myPalette4, myPalette5\n";
    QTest::newRow("clear unknown name") << QStringList{"shortcuts", "clear", "slot5"} << "tintora: 'slot5' is no shortcut";
    QTest::newRow("no combination") << QStringList{"shortcuts", "set", "slot1", "Ctrl+Banana"}
                                    << "tintora: 'Ctrl+Banana' is no key combination";
    QTest::newRow("modifier only") << QStringList{"shortcuts", "set", "slot1", "Ctrl+"} << "tintora: 'Ctrl+' is no key";
    QTest::newRow("unpressable code") << QStringList{"shortcuts", "set", "slot1", "Ctrl+Key200"}
                                      << "tintora: 'Ctrl+Key200' is no key";
    QTest::newRow("letter alone") << QStringList{"shortcuts", "set", "slot1", "Shift+A"}
                                  << "tintora: 'Shift+A' needs Ctrl, Alt or Super";
    QTest::newRow("missing combination") << QStringList{"shortcuts", "set", "slot1"} << "tintora: shortcuts: use";
    QTest::newRow("unknown verb") << QStringList{"shortcuts", "reset"} << "tintora: shortcuts: use";
    QTest::newRow("action unknown") << QStringList{"--action", "paint"} << "tintora: 'paint' is no shortcut name";
    QTest::newRow("action without name") << QStringList{"--action"} << "tintora: --action needs a shortcut name";
    QTest::newRow("action and command") << QStringList{"--action", "slot1", "info", "fff"}
                                        << "tintora: --action takes no command";
}

void TestCliShortcuts::refusedChanges()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QCOMPARE(tintora({QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("slot1"),
                      QStringLiteral("Ctrl+1")}).exitCode, 0);
    const Run run = tintora(arguments);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.count(u'\n'), 1);
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    // What was recorded before is kept.
    QCOMPARE(storeOnDisk()->displayText(QStringLiteral("slot1")), QStringLiteral("Ctrl+1"));
}

void TestCliShortcuts::runningInstanceHearsOfChanges()
{
    SingleInstance instance;
    QVERIFY(instance.listen());
    QSignalSpy changed(&instance, &SingleInstance::shortcutsChanged);

    QCOMPARE(tintora({QStringLiteral("shortcuts"), QStringLiteral("set"), QStringLiteral("alwaysOnTop"),
                      QStringLiteral("Ctrl+Alt+T")}).exitCode, 0);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(tintora({QStringLiteral("shortcuts"), QStringLiteral("clear"), QStringLiteral("alwaysOnTop")}).exitCode, 0);
    QCOMPARE(changed.size(), 2);
    // Listing changes nothing.
    QCOMPARE(tintora({QStringLiteral("shortcuts")}).exitCode, 0);
    QCOMPARE(changed.size(), 2);
}

void TestCliShortcuts::action_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"foregroundColor", "alwaysOnTop", "slot4", "myPalette1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestCliShortcuts::action()
{
    QFETCH(QString, name);
    SingleInstance instance;
    QVERIFY(instance.listen());
    QSignalSpy actions(&instance, &SingleInstance::actionRequested);
    const Run run = tintora({QStringLiteral("--action"), name});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out + run.err, QString());
    QCOMPARE(actions.size(), 1);
    QCOMPARE(actions.first().first().toString(), name);
}

void TestCliShortcuts::actionWithoutInstance()
{
    const Run run = tintora({QStringLiteral("--action"), QStringLiteral("slot1")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err, QStringLiteral("tintora: no running Tintora to ask; start it first\n"));
}

void TestCliShortcuts::helpNamesTheCommands()
{
    const Run help = tintora({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *line : {"\n  shortcuts ", "\n  shortcuts set NAME COMBINATION\n", "\n  shortcuts clear NAME ",
                             "\n  --action NAME "})
        QVERIFY2(help.out.contains(QLatin1StringView(line)), line);
}

QTEST_GUILESS_MAIN(TestCliShortcuts)
#include "tst_clishortcuts.moc"
