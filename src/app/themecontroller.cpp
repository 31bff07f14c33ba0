#include "themecontroller.h"

#include "settings/settingsmanager.h"
#include "themecolors.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// The theme whose palette stands in for the desktop's when that one is of the
// other kind than the scheme the desktop prefers: Qt 6.4 on X11 keeps a light
// palette whatever the desktop portal says.
AppTheme standInFor(PreferredColorScheme scheme, const QPalette &desktop)
{
    const QColor window = desktop.color(QPalette::Window);
    const bool desktopIsLight = ColorValue::clipped(window.redF(), window.greenF(), window.blueF()).isLight();
    if (scheme == PreferredColorScheme::dark && desktopIsLight)
        return AppTheme::dark;
    if (scheme == PreferredColorScheme::light && !desktopIsLight)
        return AppTheme::light;
    return AppTheme::system;
}

} // namespace

ThemeController::ThemeController(SettingsManager &settings, std::unique_ptr<DesktopAppearance> appearance,
                                 QObject *parent)
    : QObject(parent), m_settings(settings), m_appearance(std::move(appearance))
{
    qApp->installEventFilter(this);
    connect(&m_settings, &SettingsManager::appThemeChanged, this, &ThemeController::apply);
    connect(m_appearance.get(), &DesktopAppearance::colorSchemeChanged, this, &ThemeController::colorSchemeChanged);
    apply();
}

void ThemeController::apply()
{
    AppTheme theme = m_settings.appTheme();
    if (theme == AppTheme::system) {
        // A palette with nothing set resolves to the desktop's, and keeps
        // following it when the desktop changes.
        QApplication::setPalette(QPalette());
        theme = standInFor(m_appearance->colorScheme(), QApplication::palette());
    }
    if (AppThemes::forcedAppearance(theme) != ForcedAppearance::none)
        QApplication::setPalette(themedPalette(theme, QApplication::palette()));
}

bool ThemeController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ThemeChange)
        desktopThemeChanged();
    return QObject::eventFilter(watched, event);
}

void ThemeController::desktopThemeChanged()
{
    // Every window hears of the change; the palette is chosen again and the
    // settings hear of it once.
    if (m_changePending)
        return;
    m_changePending = true;
    QTimer::singleShot(0, this, [this] {
        m_changePending = false;
        apply();
        m_settings.systemAppearanceChanged();
    });
}

void ThemeController::colorSchemeChanged()
{
    apply();
    m_settings.systemAppearanceChanged();
}
