#pragma once

#include "picking/pickertarget.h"

#include <QWidget>

class AuthManager;
class ColorPickerLogic;
class DesktopServices;
class HeaderBar;
class HistoryManager;
class LoginView;
class PickSection;
class QStackedLayout;
class SettingsManager;

// The main window: a fixed column 340 wide, taller with the contrast checker,
// holding the header and the pick section, or the sign-in form while the
// account asks for it. It follows the stored opacity and always-on-top
// whenever it appears and whenever either changes.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int windowWidth = 340;
    static constexpr int heightWithContrast = 770;
    static constexpr int heightWithoutContrast = 680;

    MainWindow(SettingsManager &settings, HistoryManager &history, ColorPickerLogic &logic, AuthManager &auth,
               DesktopServices &desktop, QWidget *parent = nullptr);

    HeaderBar *headerBar() const { return m_header; }
    PickSection *pickSection() const { return m_pick; }
    LoginView *loginView() const { return m_login; }
    bool isShowingLogin() const;

    // The window's own screen pick; every call opens a sampler.
    void pickColor(PickerTarget target);

signals:
    // The first time the window's content is shown.
    void contentFirstShown();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applySize();
    void applyOpacity();
    void applyAlwaysOnTop();
    void applyTheme();
    void updatePage();

    SettingsManager &m_settings;
    HistoryManager &m_history;
    ColorPickerLogic &m_logic;
    AuthManager &m_auth;
    DesktopServices &m_desktop;
    QStackedLayout *m_pages;
    QWidget *m_layoutPage;
    HeaderBar *m_header;
    PickSection *m_pick;
    LoginView *m_login;
    bool m_shownOnce = false;
};
