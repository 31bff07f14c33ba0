#include "platform/launchatloginmanager.h"
#include "settings/settingsmanager.h"
#include "support/logcapture.h"
#include "support/temppreferences.h"

#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

namespace {

QVariant format(CopyFormat f) { return QVariant::fromValue(f); }
QVariant theme(AppTheme t) { return QVariant::fromValue(t); }
QVariant trayStyle(TrayIconStyle s) { return QVariant::fromValue(s); }

// The settings a test changes, as a later start reads them.
struct NextStart {
    explicit NextStart(TempPreferences &preferences) : store(preferences.reopened()), settings(*store) {}
    std::unique_ptr<PreferencesStore> store;
    SettingsManager settings;
};

} // namespace

class TestSettingsManager : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_quiet.emplace(); }
    void cleanup() { m_quiet.reset(); }
    void firstStartGivesTheDefaults();
    void readsStoredValues_data();
    void readsStoredValues();
    void everySettingIsWrittenAtOnce();
    void unstoredSettingsStayOutOfThePreferences();
    void settersAnnounceOnlyChanges();
    void saveSlotFormatIgnoresOtherSlots_data();
    void saveSlotFormatIgnoresOtherSlots();
    void contrastCheckerAndComplementExcludeEachOther_data();
    void contrastCheckerAndComplementExcludeEachOther();
    void themeAssignmentAlwaysWritesAndNotifies();
    void desktopAppearanceRedrawsOnlyTheSystemTheme_data();
    void desktopAppearanceRedrawsOnlyTheSystemTheme();
    void launchAtLoginIsTheAutostartEntry();

private:
    // Keeps the "SettingsManager: Init" of every construction off the output.
    std::optional<LogCapture> m_quiet;
};

void TestSettingsManager::firstStartGivesTheDefaults()
{
    TempPreferences preferences;
    LogCapture log;
    const SettingsManager settings(preferences.store());

    QCOMPARE(log.lines(), QStringList{"SettingsManager: Init"});
    QCOMPARE(settings.selectedSettingsTab(), 0);
    QCOMPARE(settings.slot1Format(), CopyFormat::hex);
    QCOMPARE(settings.slot2Format(), CopyFormat::rgb);
    QCOMPARE(settings.slot3Format(), CopyFormat::hsb);
    QCOMPARE(settings.slot4Format(), CopyFormat::lab);
    QCOMPARE(settings.foregroundColorFormat(), CopyFormat::hex);
    QCOMPARE(settings.backgroundColorFormat(), CopyFormat::hex);
    QCOMPARE(settings.myPalette(), Palettes::defaultMyPalette());
    QCOMPARE(settings.libraryPalettes(), QList<LibraryPalette>());
    QCOMPARE(settings.showContrastChecker(), true);
    QCOMPARE(settings.isAlwaysOnTop(), false);
    QCOMPARE(settings.autoCopyHex(), false);
    QCOMPARE(settings.autoApplyComplementary(), false);
    QCOMPARE(settings.hasSeenTutorial(), false);
    QCOMPARE(settings.hideMainWindowOnLaunch(), false);
    QCOMPARE(settings.launchAtLogin(), false);
    QCOMPARE(settings.isFloatingPaletteLocked(), false);
    QCOMPARE(settings.isFloatingPaletteVisible(), false);
    QCOMPARE(settings.windowOpacity(), 1.0);
    QCOMPARE(settings.trayIconStyle(), TrayIconStyle::hex);
    QCOMPARE(settings.appTheme(), AppTheme::system);
    QVERIFY2(!QFile::exists(preferences.filePath()), "loading writes nothing back");
}

void TestSettingsManager::readsStoredValues_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("slot format") << QByteArray("Slot1Format=CMYK") << "slot1Format" << format(CopyFormat::cmyk);
    QTest::newRow("unknown slot format") << QByteArray("Slot2Format=Bogus") << "slot2Format" << format(CopyFormat::rgb);
    QTest::newRow("raw values are case-sensitive") << QByteArray("Slot2Format=hex") << "slot2Format"
                                                   << format(CopyFormat::rgb);
    QTest::newRow("slot 3") << QByteArray("Slot3Format=HSL") << "slot3Format" << format(CopyFormat::hsl);
    QTest::newRow("slot 4") << QByteArray("Slot4Format=OpenGL") << "slot4Format" << format(CopyFormat::opengl);
    QTest::newRow("foreground under its own key") << QByteArray("PrimaryColorFormat=LAB") << "foregroundColorFormat"
                                                  << format(CopyFormat::lab);
    QTest::newRow("background under its own key") << QByteArray("ComplementColorFormat=HSB")
                                                  << "backgroundColorFormat" << format(CopyFormat::hsb);
    QTest::newRow("opacity zero") << QByteArray("WindowOpacity=0") << "windowOpacity" << QVariant(1.0);
    QTest::newRow("opacity") << QByteArray("WindowOpacity=0.35") << "windowOpacity" << QVariant(0.35);
    QTest::newRow("opacity not clamped") << QByteArray("WindowOpacity=1.5") << "windowOpacity" << QVariant(1.5);
    QTest::newRow("opacity not a number") << QByteArray("WindowOpacity=opaque") << "windowOpacity" << QVariant(1.0);
    QTest::newRow("opacity nan") << QByteArray("WindowOpacity=nan") << "windowOpacity" << QVariant(1.0);
    QTest::newRow("opacity infinite") << QByteArray("WindowOpacity=inf") << "windowOpacity" << QVariant(1.0);
    QTest::newRow("tray icon") << QByteArray("TrayIconStyle=Icon") << "trayIconStyle"
                               << trayStyle(TrayIconStyle::icon);
    QTest::newRow("tray icon in small letters") << QByteArray("TrayIconStyle=icon") << "trayIconStyle"
                                                << trayStyle(TrayIconStyle::hex);
    QTest::newRow("theme") << QByteArray("AppTheme=midnightMoon") << "appTheme" << theme(AppTheme::midnightMoon);
    QTest::newRow("theme with a capital") << QByteArray("AppTheme=Dark") << "appTheme" << theme(AppTheme::system);
    QTest::newRow("contrast checker off") << QByteArray("ShowContrastChecker=false") << "showContrastChecker"
                                          << QVariant(false);
    QTest::newRow("always on top") << QByteArray("IsAlwaysOnTop=true") << "isAlwaysOnTop" << QVariant(true);
    QTest::newRow("auto copy") << QByteArray("AutoCopyHex=true") << "autoCopyHex" << QVariant(true);
    QTest::newRow("tutorial seen") << QByteArray("HasSeenTutorial=true") << "hasSeenTutorial" << QVariant(true);
    QTest::newRow("palette locked") << QByteArray("FloatingPaletteLocked=true") << "isFloatingPaletteLocked"
                                    << QVariant(true);
    QTest::newRow("hide main window") << QByteArray("hideMainWindowOnLaunch=true") << "hideMainWindowOnLaunch"
                                      << QVariant(true);
    QTest::newRow("hide main window, other key case") << QByteArray("HideMainWindowOnLaunch=true")
                                                      << "hideMainWindowOnLaunch" << QVariant(false);
    // Both switches on as stored are not reconciled at start.
    QTest::newRow("both switches, contrast") << QByteArray("ShowContrastChecker=true\nAutoApplyComplementary=true")
                                             << "showContrastChecker" << QVariant(true);
    QTest::newRow("both switches, complement")
        << QByteArray("ShowContrastChecker=true\nAutoApplyComplementary=true") << "autoApplyComplementary"
        << QVariant(true);
}

void TestSettingsManager::readsStoredValues()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, field);
    QFETCH(QVariant, value);

    TempPreferences preferences("[General]\n" + lines + '\n');
    const SettingsManager settings(preferences.store());
    QCOMPARE(settings.property(field.toLatin1().constData()), value);
}

void TestSettingsManager::everySettingIsWrittenAtOnce()
{
    TempPreferences preferences;
    {
        SettingsManager settings(preferences.store());
        settings.saveSlotFormat(1, CopyFormat::cmyk);
        settings.saveSlotFormat(2, CopyFormat::hex);
        settings.saveSlotFormat(3, CopyFormat::opengl);
        settings.saveSlotFormat(4, CopyFormat::rgb);
        settings.saveForegroundColorFormat(CopyFormat::hsl);
        settings.saveBackgroundColorFormat(CopyFormat::lab);
        settings.setIsAlwaysOnTop(true);
        settings.setAutoCopyHex(true);
        settings.saveAutoApplyComplementary(true);
        settings.setHasSeenTutorial(true);
        settings.setWindowOpacity(0.35);
        settings.setHideMainWindowOnLaunch(true);
        settings.saveTrayIconStyle(TrayIconStyle::icon);
        settings.setIsFloatingPaletteLocked(true);
        settings.saveAppTheme(AppTheme::peachFuzz);
    }

    const auto stored = preferences.reopened();
    QCOMPARE(stored->string(QStringLiteral("Slot1Format")), QStringLiteral("CMYK"));
    QCOMPARE(stored->string(QStringLiteral("Slot2Format")), QStringLiteral("HEX"));
    QCOMPARE(stored->string(QStringLiteral("Slot3Format")), QStringLiteral("OpenGL"));
    QCOMPARE(stored->string(QStringLiteral("Slot4Format")), QStringLiteral("RGB"));
    QCOMPARE(stored->string(QStringLiteral("PrimaryColorFormat")), QStringLiteral("HSL"));
    QCOMPARE(stored->string(QStringLiteral("ComplementColorFormat")), QStringLiteral("LAB"));
    QCOMPARE(stored->string(QStringLiteral("TrayIconStyle")), QStringLiteral("Icon"));
    QCOMPARE(stored->string(QStringLiteral("AppTheme")), QStringLiteral("peachFuzz"));
    QCOMPARE(stored->number(QStringLiteral("WindowOpacity")), 0.35);
    for (const char *key : {"IsAlwaysOnTop", "AutoCopyHex", "AutoApplyComplementary", "HasSeenTutorial",
                            "hideMainWindowOnLaunch", "FloatingPaletteLocked"})
        QVERIFY2(stored->boolean(QString::fromLatin1(key)), key);
    QCOMPARE(stored->boolean(QStringLiteral("ShowContrastChecker")), false);

    const NextStart next(preferences);
    QCOMPARE(next.settings.slot1Format(), CopyFormat::cmyk);
    QCOMPARE(next.settings.slot3Format(), CopyFormat::opengl);
    QCOMPARE(next.settings.foregroundColorFormat(), CopyFormat::hsl);
    QCOMPARE(next.settings.backgroundColorFormat(), CopyFormat::lab);
    QCOMPARE(next.settings.windowOpacity(), 0.35);
    QCOMPARE(next.settings.trayIconStyle(), TrayIconStyle::icon);
    QCOMPARE(next.settings.appTheme(), AppTheme::peachFuzz);
    QCOMPARE(next.settings.showContrastChecker(), false);
    QCOMPARE(next.settings.autoApplyComplementary(), true);
}

void TestSettingsManager::unstoredSettingsStayOutOfThePreferences()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    settings.setSelectedSettingsTab(2);
    settings.setIsFloatingPaletteVisible(true);
    settings.setLaunchAtLogin(true);
    settings.setLaunchAtLogin(false);

    QVERIFY2(!QFile::exists(preferences.filePath()), preferences.contents().constData());
}

void TestSettingsManager::settersAnnounceOnlyChanges()
{
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    const QMetaObject *meta = settings.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable())
            continue;
        const QVariant before = property.read(&settings);
        QVariant changed;
        switch (before.typeId()) {
        case QMetaType::Bool: changed = !before.toBool(); break;
        case QMetaType::Int: changed = before.toInt() + 1; break;
        case QMetaType::Double: changed = 0.35; break;
        default: changed = theme(AppTheme::dark); break;
        }
        QSignalSpy spy(&settings, property.notifySignal());
        QVERIFY2(property.write(&settings, changed), property.name());
        QCOMPARE(property.read(&settings), changed);
        QVERIFY2(property.write(&settings, changed), property.name());
        QVERIFY2(spy.count() == 1, property.name());
    }
}

void TestSettingsManager::saveSlotFormatIgnoresOtherSlots_data()
{
    QTest::addColumn<int>("slot");
    QTest::newRow("0") << 0;
    QTest::newRow("5") << 5;
    QTest::newRow("-1") << -1;
}

void TestSettingsManager::saveSlotFormatIgnoresOtherSlots()
{
    QFETCH(int, slot);
    TempPreferences preferences;
    SettingsManager settings(preferences.store());
    QSignalSpy spy(&settings, &SettingsManager::changed);

    settings.saveSlotFormat(slot, CopyFormat::cmyk);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(settings.slotFormat(i) != CopyFormat::cmyk);
    QCOMPARE(spy.count(), 0);
    QVERIFY(!QFile::exists(preferences.filePath()));
}

void TestSettingsManager::contrastCheckerAndComplementExcludeEachOther_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("saveContrast");
    QTest::addColumn<bool>("value");
    QTest::addColumn<bool>("contrast");
    QTest::addColumn<bool>("complement");

    const QByteArray contrastOn("ShowContrastChecker=true\nAutoApplyComplementary=false");
    const QByteArray complementOn("ShowContrastChecker=false\nAutoApplyComplementary=true");
    const QByteArray both("ShowContrastChecker=true\nAutoApplyComplementary=true");
    QTest::newRow("complement on turns the checker off") << contrastOn << false << true << false << true;
    QTest::newRow("complement off leaves the checker") << contrastOn << false << false << true << false;
    QTest::newRow("checker on turns the complement off") << complementOn << true << true << true << false;
    QTest::newRow("checker off leaves the complement") << complementOn << true << false << false << true;
    QTest::newRow("both stored, checker on") << both << true << true << true << false;
    QTest::newRow("both stored, complement on") << both << false << true << false << true;
}

void TestSettingsManager::contrastCheckerAndComplementExcludeEachOther()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, saveContrast);
    QFETCH(bool, value);
    QFETCH(bool, contrast);
    QFETCH(bool, complement);

    TempPreferences preferences("[General]\n" + stored + '\n');
    SettingsManager settings(preferences.store());
    if (saveContrast)
        settings.saveShowContrastChecker(value);
    else
        settings.saveAutoApplyComplementary(value);

    QCOMPARE(settings.showContrastChecker(), contrast);
    QCOMPARE(settings.autoApplyComplementary(), complement);
    const NextStart next(preferences);
    QCOMPARE(next.settings.showContrastChecker(), contrast);
    QCOMPARE(next.settings.autoApplyComplementary(), complement);
}

void TestSettingsManager::themeAssignmentAlwaysWritesAndNotifies()
{
    TempPreferences preferences("[General]\nAppTheme=dark\n");
    SettingsManager settings(preferences.store());
    QSignalSpy changed(&settings, &SettingsManager::changed);
    QSignalSpy themeChanged(&settings, &SettingsManager::appThemeChanged);

    // Set by hand to another value, then assigned the theme it already has.
    preferences.store().setString(QStringLiteral("AppTheme"), QStringLiteral("light"));
    settings.setAppTheme(AppTheme::dark);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(themeChanged.count(), 0);
    QCOMPARE(preferences.reopened()->string(QStringLiteral("AppTheme")), QStringLiteral("dark"));

    settings.saveAppTheme(AppTheme::matchaLatte);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(themeChanged.count(), 1);
}

void TestSettingsManager::desktopAppearanceRedrawsOnlyTheSystemTheme_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("redraws");
    QTest::newRow("system") << QByteArray("AppTheme=system") << 1;
    QTest::newRow("dark") << QByteArray("AppTheme=dark") << 0;
    QTest::newRow("light") << QByteArray("AppTheme=light") << 0;
}

void TestSettingsManager::desktopAppearanceRedrawsOnlyTheSystemTheme()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, redraws);
    TempPreferences preferences("[General]\n" + stored + '\n');
    SettingsManager settings(preferences.store());
    QSignalSpy spy(&settings, &SettingsManager::changed);
    settings.systemAppearanceChanged();
    QCOMPARE(spy.count(), redraws);
}

void TestSettingsManager::launchAtLoginIsTheAutostartEntry()
{
    TempPreferences preferences;
    LaunchAtLoginManager::shared().setEnabled(true);
    SettingsManager settings(preferences.store());
    QVERIFY(settings.launchAtLogin());

    settings.setLaunchAtLogin(false);
    QVERIFY(!LaunchAtLoginManager::shared().isEnabled());
    QVERIFY(!SettingsManager(preferences.store()).launchAtLogin());
}

QTEST_GUILESS_MAIN(TestSettingsManager)
#include "tst_settingsmanager.moc"
