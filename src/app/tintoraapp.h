#pragma once

#include <QObject>
#include <memory>

class AboutWindowController;
class AuthManager;
class ColorPickerLogic;
class DesktopServices;
class HistoryManager;
class InputManager;
class MainWindow;
class SettingsManager;
class SingleInstance;
class ThemeController;
class TrayIconController;
class UpdaterController;
struct UpdateCheck;

// The desktop application: the shared state objects, the main window, the
// tray icon and its panel, the About window, the theme and the updater, and
// the requests of a second start.
class TintoraApp : public QObject
{
    Q_OBJECT

public:
    explicit TintoraApp(std::unique_ptr<DesktopServices> desktop, QObject *parent = nullptr);
    ~TintoraApp() override;

    // Shows the main window (unless it is to stay hidden in the tray), the
    // tray icon, and starts the quiet update check.
    void start();
    // Answers the requests a second start sends.
    void serve(SingleInstance &instance);

    SettingsManager &settings() { return *m_settings; }
    HistoryManager &history() { return *m_history; }
    ColorPickerLogic &logic() { return *m_logic; }
    UpdaterController &updater() { return *m_updater; }
    MainWindow *mainWindow() const { return m_mainWindow.get(); }
    InputManager *inputManager() const { return m_inputManager.get(); }
    TrayIconController *tray() const { return m_tray.get(); }
    AboutWindowController &about() { return *m_about; }

    void showMainWindow();
    void showAbout();
    void openHelp();
    void quit();

private:
    void createTray();
    void ensureInputManager();
    void showUpdateResult(const UpdateCheck &result, bool userInitiated);

    std::unique_ptr<DesktopServices> m_desktop;
    AuthManager &m_auth;
    std::unique_ptr<SettingsManager> m_settings;
    std::unique_ptr<HistoryManager> m_history;
    std::unique_ptr<ColorPickerLogic> m_logic;
    std::unique_ptr<UpdaterController> m_updater;
    std::unique_ptr<ThemeController> m_theme;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<TrayIconController> m_tray;
    std::unique_ptr<AboutWindowController> m_about;
    std::unique_ptr<InputManager> m_inputManager;
};
