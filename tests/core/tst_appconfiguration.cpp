#include "picking/shortcuttype.h"
#include "platform/launchatloginmanager.h"
#include "settings/settingsmanager.h"
#include "support/logcapture.h"
#include "support/temppreferences.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace {

const KeyCombination ctrlShiftP{35, KeyCombination::command | KeyCombination::shift};
const KeyCombination altF1{122, KeyCombination::option};

// Every field away from its default.
AppConfiguration changedConfiguration()
{
    AppConfiguration config;
    config.slot1Format = CopyFormat::cmyk;
    config.slot2Format = CopyFormat::opengl;
    config.slot3Format = CopyFormat::hex;
    config.slot4Format = CopyFormat::hsl;
    config.foregroundColorFormat = CopyFormat::rgb;
    config.backgroundColorFormat = CopyFormat::lab;
    config.myPalette = {{1, QStringLiteral("1A2B3C")}, {2, std::nullopt}, {3, QStringLiteral("FFF")}};
    config.isAlwaysOnTop = true;
    config.autoCopyHex = true;
    config.showContrastChecker = false;
    config.autoApplyComplementary = true;
    config.windowOpacity = 0.35;
    config.appTheme = AppTheme::blackPink;
    config.hideMainWindowOnLaunch = true;
    config.launchAtLogin = true;
    config.trayIconStyle = TrayIconStyle::icon;
    config.shortcuts = QMap<QString, QByteArray>{{QStringLiteral("slot1"), ctrlShiftP.toJson()}};
    return config;
}

} // namespace

class TestAppConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_quiet.emplace(); }
    void cleanup() { m_quiet.reset(); }

    void jsonForm();
    void strictDecoding_data();
    void strictDecoding();
    void exportReadsTheCurrentSettings();
    void importAppliesAndStoresEveryField();
    void importTurnsOnOnlyTheComplementWhenBothAreOn();
    void recordWithoutShortcutsKeepsThem();
    void importShortcuts_data();
    void importShortcuts();

private:
    // Keeps the "SettingsManager: Init" of every construction off the output.
    std::optional<LogCapture> m_quiet;
};

void TestAppConfiguration::jsonForm()
{
    const AppConfiguration config = changedConfiguration();
    const QJsonObject json = config.toJson();

    QCOMPARE(json.keys(),
             (QStringList{"appTheme", "autoApplyComplementary", "autoCopyHex", "backgroundColorFormat",
                          "foregroundColorFormat", "hideMainWindowOnLaunch", "isAlwaysOnTop", "launchAtLogin",
                          "myPalette", "shortcuts", "showContrastChecker", "slot1Format", "slot2Format",
                          "slot3Format", "slot4Format", "trayIconStyle", "windowOpacity"}));
    QCOMPARE(json.value(QStringLiteral("slot2Format")).toString(), QStringLiteral("OpenGL"));
    QCOMPARE(json.value(QStringLiteral("appTheme")).toString(), QStringLiteral("blackPink"));
    QCOMPARE(json.value(QStringLiteral("trayIconStyle")).toString(), QStringLiteral("Icon"));
    QCOMPARE(json.value(QStringLiteral("myPalette")).toArray().at(1).toObject().keys(), QStringList{"id"});
    // The key combination's JSON, as base64 text.
    QCOMPARE(json.value(QStringLiteral("shortcuts")).toObject().value(QStringLiteral("slot1")).toString(),
             QStringLiteral("eyJjYXJib25LZXlDb2RlIjozNSwiY2FyYm9uTW9kaWZpZXJzIjo3Njh9"));
    QCOMPARE(AppConfiguration::fromJson(json), std::optional(config));

    AppConfiguration withoutShortcuts = config;
    withoutShortcuts.shortcuts.reset();
    QVERIFY(!withoutShortcuts.toJson().contains(QStringLiteral("shortcuts")));
    QCOMPARE(AppConfiguration::fromJson(withoutShortcuts.toJson()), std::optional(withoutShortcuts));
}

void TestAppConfiguration::strictDecoding_data()
{
    QTest::addColumn<QString>("key");
    // An undefined value removes the member.
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<bool>("decodes");

    const QJsonValue removed(QJsonValue::Undefined);
    for (const QString &key : AppConfiguration().toJson().keys())
        QTest::addRow("%s missing", qPrintable(key)) << key << removed << false;

    QTest::newRow("shortcuts missing") << "shortcuts" << removed << true;
    QTest::newRow("shortcuts null") << "shortcuts" << QJsonValue(QJsonValue::Null) << true;
    QTest::newRow("extra member") << "colour" << QJsonValue(1) << true;
    QTest::newRow("whole-number opacity") << "windowOpacity" << QJsonValue(1) << true;
    QTest::newRow("opacity as text") << "windowOpacity" << QJsonValue("1.0") << false;
    QTest::newRow("switch as number") << "autoCopyHex" << QJsonValue(1) << false;
    QTest::newRow("switch as text") << "launchAtLogin" << QJsonValue("true") << false;
    QTest::newRow("notation in small letters") << "slot1Format" << QJsonValue("hex") << false;
    QTest::newRow("unknown notation") << "backgroundColorFormat" << QJsonValue("XYZ") << false;
    QTest::newRow("theme by display name") << "appTheme" << QJsonValue("Midnight") << false;
    QTest::newRow("tray style in small letters") << "trayIconStyle" << QJsonValue("icon") << false;
    QTest::newRow("palette as object") << "myPalette" << QJsonValue(QJsonObject{{"id", 1}}) << false;
    QTest::newRow("palette with a bad slot")
        << "myPalette" << QJsonValue(QJsonArray{QJsonObject{{"id", 1}}, QJsonObject{{"hex", "FFF"}}}) << false;
    QTest::newRow("shortcuts as list") << "shortcuts" << QJsonValue(QJsonArray{}) << false;
    QTest::newRow("shortcut not base64") << "shortcuts" << QJsonValue(QJsonObject{{"slot1", "not base64!"}}) << false;
    QTest::newRow("shortcut as number") << "shortcuts" << QJsonValue(QJsonObject{{"slot1", 35}}) << false;
    QTest::newRow("empty shortcuts") << "shortcuts" << QJsonValue(QJsonObject{}) << true;
}

void TestAppConfiguration::strictDecoding()
{
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QFETCH(bool, decodes);

    QJsonObject json = changedConfiguration().toJson();
    if (value.isUndefined())
        json.remove(key);
    else
        json.insert(key, value);
    QCOMPARE(AppConfiguration::fromJson(json).has_value(), decodes);
}

void TestAppConfiguration::exportReadsTheCurrentSettings()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    QCOMPARE(settings.exportConfiguration().shortcuts, std::optional(QMap<QString, QByteArray>()));

    settings.saveSlotFormat(3, CopyFormat::cmyk);
    settings.saveMyPaletteColor(0, QStringLiteral("1A2B3C"));
    settings.setWindowOpacity(0.5);
    settings.saveAppTheme(AppTheme::pink);
    settings.shortcuts().setCombination(QStringLiteral("myPalette2"), altF1);
    settings.shortcuts().setCombination(QStringLiteral("slot9"), ctrlShiftP);

    const AppConfiguration config = settings.exportConfiguration();
    QCOMPARE(config.slot3Format, CopyFormat::cmyk);
    QCOMPARE(config.myPalette, settings.myPalette());
    QCOMPARE(config.windowOpacity, 0.5);
    QCOMPARE(config.appTheme, AppTheme::pink);
    QCOMPARE(config.showContrastChecker, true);
    QCOMPARE(config.shortcuts, std::optional(QMap<QString, QByteArray>{{"myPalette2", altF1.toJson()}}));
}

void TestAppConfiguration::importAppliesAndStoresEveryField()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.addToLibrary(QStringLiteral("Kept"), Palettes::defaultMyPalette());
    settings.setHasSeenTutorial(true);
    const QList<LibraryPalette> library = settings.libraryPalettes();
    QSignalSpy changed(&settings, &SettingsManager::changed);
    const AppConfiguration config = changedConfiguration();

    settings.importConfiguration(config);

    QVERIFY(changed.count() > 0);
    QCOMPARE(settings.exportConfiguration(), config);
    QVERIFY(LaunchAtLoginManager::shared().isEnabled());
    const auto reopened = preferences.reopened();
    const SettingsManager next(*reopened);
    QCOMPARE(next.exportConfiguration(), config);
    QCOMPARE(next.libraryPalettes(), library);
    QVERIFY(next.hasSeenTutorial());
}

void TestAppConfiguration::importTurnsOnOnlyTheComplementWhenBothAreOn()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    AppConfiguration config;
    config.showContrastChecker = true;
    config.autoApplyComplementary = true;

    settings.importConfiguration(config);
    QCOMPARE(settings.showContrastChecker(), false);
    QCOMPARE(settings.autoApplyComplementary(), true);
}

void TestAppConfiguration::recordWithoutShortcutsKeepsThem()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.shortcuts().setCombination(QStringLiteral("foregroundColor"), ctrlShiftP);
    QJsonObject json = changedConfiguration().toJson();
    json.remove(QStringLiteral("shortcuts"));
    const auto config = AppConfiguration::fromJson(json);
    QVERIFY(config);

    settings.importConfiguration(*config);
    QCOMPARE(settings.slot1Format(), CopyFormat::cmyk);
    QCOMPARE(settings.shortcuts().combination(QStringLiteral("foregroundColor")), std::optional(ctrlShiftP));
}

void TestAppConfiguration::importShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("applied");

    QTest::newRow("known name") << "slot4" << altF1.toJson() << true;
    QTest::newRow("replaces a combination") << "foregroundColor" << altF1.toJson() << true;
    // Only Tintora's twelve names: a record cannot add keys of its own.
    QTest::newRow("unknown name") << "slot9" << altF1.toJson() << false;
    QTest::newRow("name in other letter case") << "Slot4" << altF1.toJson() << false;
    QTest::newRow("undecodable combination") << "foregroundColor" << QByteArray("Alt+F1") << false;
}

void TestAppConfiguration::importShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, applied);

    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.shortcuts().setCombination(QStringLiteral("foregroundColor"), ctrlShiftP);
    const QMap<QString, QByteArray> before = settings.exportShortcuts();

    settings.importShortcuts({{name, bytes}});

    QMap<QString, QByteArray> expected = before;
    if (applied)
        expected.insert(name, bytes);
    QCOMPARE(settings.exportShortcuts(), expected);
    if (!ShortcutTypes::fromName(name))
        QVERIFY(!preferences.store().contains(ShortcutStore::preferencesKey(name)));
}

QTEST_GUILESS_MAIN(TestAppConfiguration)
#include "tst_appconfiguration.moc"
