#include "themecontroller.h"

#include "settings/settingsmanager.h"
#include "themecolors.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

ThemeController::ThemeController(SettingsManager &settings, QObject *parent)
    : QObject(parent), m_settings(settings)
{
    qApp->installEventFilter(this);
    connect(&m_settings, &SettingsManager::appThemeChanged, this, &ThemeController::apply);
    apply();
}

void ThemeController::apply()
{
    const AppTheme theme = m_settings.appTheme();
    // A palette with nothing set resolves to the desktop's, and keeps
    // following it when the desktop changes.
    QApplication::setPalette(AppThemes::forcedAppearance(theme) == ForcedAppearance::none
                                 ? QPalette()
                                 : themedPalette(theme, QApplication::palette()));
}

bool ThemeController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ThemeChange)
        desktopThemeChanged();
    return QObject::eventFilter(watched, event);
}

void ThemeController::desktopThemeChanged()
{
    // Every window hears of the change; the settings hear of it once.
    if (m_changePending)
        return;
    m_changePending = true;
    QTimer::singleShot(0, this, [this] {
        m_changePending = false;
        m_settings.systemAppearanceChanged();
    });
}
