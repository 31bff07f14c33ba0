#include "tintoraapp.h"

#include "account/authmanager.h"
#include "applinks.h"
#include "main/mainwindow.h"
#include "picking/colorpickerlogic.h"
#include "picking/historymanager.h"
#include "picking/inputmanager.h"
#include "platform/desktopservices.h"
#include "platform/log.h"
#include "platform/preferencesstore.h"
#include "platform/singleinstance.h"
#include "settings/settingsmanager.h"
#include "themecontroller.h"
#include "trayiconcontroller.h"
#include "updatercontroller.h"
#include "windows/aboutwindowcontroller.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

// The quiet update check waits this long after the window shows.
constexpr int backgroundCheckDelayMs = 3000;

} // namespace

TintoraApp::TintoraApp(std::unique_ptr<DesktopServices> desktop, QObject *parent)
    : QObject(parent), m_desktop(std::move(desktop)), m_auth(AuthManager::shared()),
      m_settings(std::make_unique<SettingsManager>()), m_history(std::make_unique<HistoryManager>()),
      m_logic(std::make_unique<ColorPickerLogic>()),
      m_updater(std::make_unique<UpdaterController>(UpdaterController::configuredFeed(), QStringLiteral(TINTORA_VERSION))),
      m_theme(std::make_unique<ThemeController>(*m_settings, m_desktop->createAppearance())),
      m_mainWindow(std::make_unique<MainWindow>(*m_settings, *m_history, *m_logic, m_auth, *m_desktop)),
      m_about(std::make_unique<AboutWindowController>(*m_desktop))
{
    QApplication::setQuitOnLastWindowClosed(false);
    m_settings->setAuthManager(&m_auth);
    m_logic->setSettings(m_settings.get());

    // Once the window is on screen: the shortcut grabs need not hold it up.
    connect(m_mainWindow.get(), &MainWindow::contentFirstShown, this, &TintoraApp::ensureInputManager,
            Qt::QueuedConnection);
    connect(m_updater.get(), &UpdaterController::checkFinished, this, &TintoraApp::showUpdateResult);
}

TintoraApp::~TintoraApp() = default;

void TintoraApp::start()
{
    // Hidden in the tray only when there is a tray to bring it back from.
    // Otherwise the window comes first and the tray icon right after it.
    if (m_settings->hideMainWindowOnLaunch() && QSystemTrayIcon::isSystemTrayAvailable()) {
        createTray();
        ensureInputManager();
    } else {
        showMainWindow();
        QTimer::singleShot(0, this, &TintoraApp::createTray);
    }
    if (m_updater->hasFeed())
        QTimer::singleShot(backgroundCheckDelayMs, m_updater.get(), &UpdaterController::checkInBackground);
}

void TintoraApp::createTray()
{
    if (m_tray)
        return;
    m_tray = std::make_unique<TrayIconController>(*m_settings, *m_logic, *m_desktop);
    connect(m_tray.get(), &TrayIconController::showWindowRequested, this, &TintoraApp::showMainWindow);
    connect(m_tray.get(), &TrayIconController::aboutRequested, this, &TintoraApp::showAbout);
    connect(m_tray.get(), &TrayIconController::helpRequested, this, &TintoraApp::openHelp);
    connect(m_tray.get(), &TrayIconController::checkForUpdatesRequested, m_updater.get(),
            &UpdaterController::checkForUpdates);
    connect(m_tray.get(), &TrayIconController::quitRequested, this, &TintoraApp::quit);
}

void TintoraApp::serve(SingleInstance &instance)
{
    connect(&instance, &SingleInstance::reopenRequested, this, &TintoraApp::showMainWindow);
    connect(&instance, &SingleInstance::actionRequested, this, [this](const QString &name) {
        ensureInputManager();
        m_inputManager->handleAction(name);
    });
    // Another process rewrote the stored combinations: read them back, which
    // re-registers the shortcuts.
    connect(&instance, &SingleInstance::shortcutsChanged, this, [] { PreferencesStore::standard().reload(); });
}

void TintoraApp::ensureInputManager()
{
    if (m_inputManager)
        return;
    m_inputManager = std::make_unique<InputManager>(*m_logic, *m_history, *m_settings, *m_desktop);
    m_inputManager->setupMonitors();
}

void TintoraApp::showMainWindow()
{
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void TintoraApp::showAbout() { m_about->show(); }

void TintoraApp::openHelp()
{
    const QUrl help = AppLinks::configured().help;
    if (!help.isEmpty())
        m_desktop->openUrl(help);
}

void TintoraApp::quit()
{
    QApplication::closeAllWindows();
    Log::info(QStringLiteral("Application is terminating..."));
    QApplication::quit();
}

void TintoraApp::showUpdateResult(const UpdateCheck &result, bool userInitiated)
{
    using Outcome = UpdateCheck::Outcome;
    if (!userInitiated) {
        if (result.outcome == Outcome::updateAvailable && m_tray && QSystemTrayIcon::isSystemTrayAvailable()) {
            m_tray->trayIcon()->showMessage(QStringLiteral("Tintora %1 is available").arg(result.latestVersion),
                                            QStringLiteral("Choose Check for Updates... in the tray menu for details."));
        }
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Check for Updates"), QString(),
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    switch (result.outcome) {
    case Outcome::noFeed:
        box->setText(QStringLiteral("Tintora updates come from your package manager."));
        box->setInformativeText(QStringLiteral("Update Tintora the way you installed it, for example with apt."));
        break;
    case Outcome::upToDate:
        box->setText(QStringLiteral("You're up to date."));
        box->setInformativeText(QStringLiteral("Tintora %1 is the newest version.").arg(QStringLiteral(TINTORA_VERSION)));
        break;
    case Outcome::updateAvailable: {
        box->setText(QStringLiteral("Tintora %1 is available.").arg(result.latestVersion));
        box->setInformativeText(QStringLiteral("You have version %1.").arg(QStringLiteral(TINTORA_VERSION)));
        if (result.downloadUrl.isValid() && !result.downloadUrl.isEmpty()) {
            QPushButton *download = box->addButton(QStringLiteral("Download"), QMessageBox::AcceptRole);
            connect(download, &QPushButton::clicked, this, [this, url = result.downloadUrl] { m_desktop->openUrl(url); });
        }
        break;
    }
    case Outcome::failed:
        box->setIcon(QMessageBox::Warning);
        box->setText(QStringLiteral("Tintora could not check for updates."));
        box->setInformativeText(result.problem);
        break;
    }
    box->show();
}
