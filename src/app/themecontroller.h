#pragma once

#include <QObject>

class SettingsManager;

// Gives every window the chosen theme's palette: a forced light or dark one,
// or the desktop's own, following the desktop's changes, for the system theme.
class ThemeController : public QObject
{
    Q_OBJECT

public:
    explicit ThemeController(SettingsManager &settings, QObject *parent = nullptr);

    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void desktopThemeChanged();

    SettingsManager &m_settings;
    bool m_changePending = false;
};
