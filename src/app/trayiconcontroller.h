#pragma once

#include "traypanel.h"

#include <QObject>
#include <QPointer>

class ColorPickerLogic;
class DesktopServices;
class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;
class SettingsManager;
class TrayView;

// The tray icon: the foreground colour with its hex as tool tip (or the
// eyedropper), the panel on a left click, the application's commands in its
// context menu.
class TrayIconController : public QObject
{
    Q_OBJECT

public:
    TrayIconController(SettingsManager &settings, ColorPickerLogic &logic, DesktopServices &desktop,
                       QObject *parent = nullptr);
    ~TrayIconController() override;

    QSystemTrayIcon *trayIcon() const { return m_tray; }
    QMenu *menu() const { return m_menu; }
    // The label's text: the foreground's hex with one "#" ("#FFFFFF" when empty).
    QString hexLabel() const;
    bool showsHex() const;

    // Opens the panel at the icon, or closes it when open.
    void togglePanel();
    TrayPanel *panel() const { return m_panel; }
    TrayView *panelView() const { return m_panelView; }

signals:
    void showWindowRequested();
    void aboutRequested();
    void helpRequested();
    void checkForUpdatesRequested();
    void quitRequested();

private:
    void updateIcon();
    void createPanel();
    void placePanel();

    SettingsManager &m_settings;
    ColorPickerLogic &m_logic;
    DesktopServices &m_desktop;
    QSystemTrayIcon *m_tray;
    QMenu *m_menu;
    QPointer<TrayPanel> m_panel;
    TrayView *m_panelView = nullptr;
};
