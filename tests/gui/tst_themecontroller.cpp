#include "app/themecolors.h"
#include "app/themecontroller.h"
#include "settings/settingsmanager.h"
#include "support/fakedesktop.h"
#include "support/temppreferences.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

Q_DECLARE_METATYPE(AppTheme)
Q_DECLARE_METATYPE(PreferredColorScheme)

namespace {

// A theme controller over fresh settings and a desktop scheme the test sets.
struct Themed {
    TempPreferences preferences;
    SettingsManager settings{preferences.store()};
    // Owned by the controller.
    FakeDesktopAppearance *appearance;
    ThemeController controller;

    explicit Themed(PreferredColorScheme scheme)
        : appearance(new FakeDesktopAppearance(scheme)),
          controller(settings, std::unique_ptr<DesktopAppearance>(appearance))
    {
    }
};

} // namespace

// The palette windows take for the theme and the desktop's preferred colour
// scheme (offscreen, the desktop's own palette is a light one).
class TestThemeController : public QObject
{
    Q_OBJECT

    QPalette m_desktop;

private slots:
    void initTestCase() { m_desktop = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(QPalette()); }

    void paletteFollowsThemeAndScheme_data()
    {
        QTest::addColumn<AppTheme>("theme");
        QTest::addColumn<PreferredColorScheme>("scheme");
        // Empty: the desktop's own.
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");

        QTest::newRow("system, no preference") << AppTheme::system << PreferredColorScheme::noPreference << "" << "";
        QTest::newRow("system, light like the desktop") << AppTheme::system << PreferredColorScheme::light << "" << "";
        QTest::newRow("system, dark") << AppTheme::system << PreferredColorScheme::dark << "#25262b" << "#f8f9fa";
        QTest::newRow("light ignores dark") << AppTheme::light << PreferredColorScheme::dark << "#ffffff" << "#212529";
        QTest::newRow("black pink ignores light")
            << AppTheme::blackPink << PreferredColorScheme::light << "#121212" << "#f8f9fa";
    }

    void paletteFollowsThemeAndScheme()
    {
        QFETCH(AppTheme, theme);
        QFETCH(PreferredColorScheme, scheme);
        QFETCH(QString, window);
        QFETCH(QString, text);
        if (window.isEmpty()) {
            window = m_desktop.color(QPalette::Window).name();
            text = m_desktop.color(QPalette::WindowText).name();
        }

        Themed t(scheme);
        t.settings.saveAppTheme(theme);
        QWidget shown;
        shown.show();
        QCOMPARE(shown.palette().color(QPalette::Window).name(), window);
        QCOMPARE(shown.palette().color(QPalette::WindowText).name(), text);
        // The views draw the colours the windows have.
        const ThemeColors colors = ThemeColors::of(theme);
        QCOMPARE(colors.mainBackground.name(), window);
        QCOMPARE(colors.text.name(), text);
    }

    void schemeChangeAppliesAtOnceAndRedraws_data()
    {
        QTest::addColumn<AppTheme>("theme");
        QTest::addColumn<PreferredColorScheme>("from");
        QTest::addColumn<PreferredColorScheme>("to");
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("redraws");

        QTest::newRow("system turns dark")
            << AppTheme::system << PreferredColorScheme::noPreference << PreferredColorScheme::dark << "#25262b" << 1;
        QTest::newRow("system back to the desktop's")
            << AppTheme::system << PreferredColorScheme::dark << PreferredColorScheme::noPreference << "" << 1;
        QTest::newRow("dark stays dark")
            << AppTheme::dark << PreferredColorScheme::dark << PreferredColorScheme::light << "#25262b" << 0;
        QTest::newRow("pink stays light")
            << AppTheme::pink << PreferredColorScheme::light << PreferredColorScheme::dark << "#fff0f5" << 0;
    }

    void schemeChangeAppliesAtOnceAndRedraws()
    {
        QFETCH(AppTheme, theme);
        QFETCH(PreferredColorScheme, from);
        QFETCH(PreferredColorScheme, to);
        QFETCH(QString, window);
        QFETCH(int, redraws);
        if (window.isEmpty())
            window = m_desktop.color(QPalette::Window).name();

        Themed t(from);
        t.settings.saveAppTheme(theme);
        QSignalSpy changed(&t.settings, &SettingsManager::changed);
        t.appearance->setColorScheme(to);
        QCOMPARE(QApplication::palette().color(QPalette::Window).name(), window);
        QCOMPARE(changed.size(), redraws);
    }

    void backToSystemJudgesTheDesktopsOwnPalette()
    {
        // Not the dark palette of the theme left behind.
        Themed t(PreferredColorScheme::dark);
        t.settings.saveAppTheme(AppTheme::blackPink);
        QCOMPARE(QApplication::palette().color(QPalette::Window).name(), QStringLiteral("#121212"));
        t.settings.saveAppTheme(AppTheme::system);
        QCOMPARE(QApplication::palette().color(QPalette::Window).name(), QStringLiteral("#25262b"));
    }
};

QTEST_MAIN(TestThemeController)
#include "tst_themecontroller.moc"
