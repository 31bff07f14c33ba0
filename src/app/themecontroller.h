#pragma once

#include "platform/desktopappearance.h"

#include <QObject>
#include <memory>

class SettingsManager;

// Gives every window the chosen theme's palette: a forced light or dark one,
// or for the system theme the desktop's own, following the desktop's changes
// and its preferred colour scheme.
class ThemeController : public QObject
{
    Q_OBJECT

public:
    ThemeController(SettingsManager &settings, std::unique_ptr<DesktopAppearance> appearance,
                    QObject *parent = nullptr);

    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void desktopThemeChanged();
    void colorSchemeChanged();

    SettingsManager &m_settings;
    std::unique_ptr<DesktopAppearance> m_appearance;
    bool m_changePending = false;
};
