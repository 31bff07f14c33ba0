#pragma once

#include <QWidget>

class AuthManager;
class QPushButton;
class QSlider;
class QToolButton;
class SettingsManager;

// The main window's top row: icon, Sign In while nobody is signed in, the
// window opacity, always on top, the floating palette and settings.
class HeaderBar : public QWidget
{
    Q_OBJECT

public:
    HeaderBar(SettingsManager &settings, AuthManager &auth, QWidget *parent = nullptr);

    QPushButton *signInButton() const { return m_signIn; }
    QSlider *opacitySlider() const { return m_opacity; }
    QToolButton *pinButton() const { return m_pin; }
    QToolButton *floatingPaletteButton() const { return m_floatingPalette; }
    QToolButton *settingsButton() const { return m_settingsButton; }
    void applyTheme();

private:
    void updateSignIn();
    void updateOpacity();
    void updateIcons();

    SettingsManager &m_settings;
    AuthManager &m_auth;
    QPushButton *m_signIn;
    QSlider *m_opacity;
    QToolButton *m_pin;
    QToolButton *m_floatingPalette;
    QToolButton *m_settingsButton;
};
