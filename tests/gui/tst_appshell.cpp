#include "app/tintoraapp.h"
#include "app/trayiconcontroller.h"
#include "app/traypanel.h"
#include "app/updatercontroller.h"
#include "main/mainwindow.h"
#include "main/trayview.h"
#include "picking/colorpickerlogic.h"
#include "picking/inputmanager.h"
#include "settings/settingsmanager.h"
#include "support/fakedesktop.h"
#include "support/files.h"
#include "support/logcapture.h"
#include "support/tempconfig.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(UpdateCheck::Outcome)
Q_DECLARE_METATYPE(AppTheme)

// The application shell over fake desktop services: start-up, tray label and
// menu, second-start requests, quitting, and the update check.
class TestAppShell : public QObject
{
    Q_OBJECT

    TempConfig m_config;
    FakeDesktopServices *m_desktop = nullptr;
    std::unique_ptr<TintoraApp> m_app;

private slots:
    void initTestCase()
    {
        auto desktop = std::make_unique<FakeDesktopServices>();
        m_desktop = desktop.get();
        m_app = std::make_unique<TintoraApp>(std::move(desktop));
        m_app->start();
    }

    void startShowsTheWindowThenTheTrayAndTheShortcutsOnce()
    {
        QVERIFY(m_app->mainWindow()->isVisible());
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        QTRY_VERIFY(m_app->inputManager());
        QTRY_VERIFY(m_app->tray());
        QCOMPARE(m_app->logic().settings(), &m_app->settings());

        m_app->mainWindow()->close();
        m_app->showMainWindow();
        QCoreApplication::processEvents();
        QCOMPARE(m_desktop->shortcutObjectsCreated, 1);
    }

    void trayLabelFollowsTheForegroundAndStyle()
    {
        TrayIconController *tray = m_app->tray();
        QVERIFY(tray->showsHex());
        m_app->logic().setCustomHex(QStringLiteral("FFFFFF"), true);
        QCOMPARE(tray->hexLabel(), QStringLiteral("#FFFFFF"));
        m_app->logic().setCustomHex(QStringLiteral("1A2B3C"), true);
        QCOMPARE(tray->hexLabel(), QStringLiteral("#1A2B3C"));
        m_app->settings().saveTrayIconStyle(TrayIconStyle::icon);
        QVERIFY(!tray->showsHex());
        m_app->settings().saveTrayIconStyle(TrayIconStyle::hex);
    }

    void themeSetsEveryWindowsPalette_data()
    {
        QTest::addColumn<AppTheme>("theme");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");

        QTest::newRow("dark") << AppTheme::dark << "#25262b" << "#f8f9fa";
        QTest::newRow("matcha, light") << AppTheme::matchaLatte << "#aab15c" << "#212529";
        QTest::newRow("midnight, dark") << AppTheme::midnightMoon << "#1a1a2e" << "#f8f9fa";
    }

    void themeSetsEveryWindowsPalette()
    {
        QFETCH(AppTheme, theme);
        QFETCH(QString, window);
        QFETCH(QString, text);

        const QPalette desktop = QApplication::palette();
        m_app->settings().saveAppTheme(theme);
        QCOMPARE(QApplication::palette().color(QPalette::Window).name(), window);
        QCOMPARE(QApplication::palette().color(QPalette::WindowText).name(), text);
        QCOMPARE(m_app->mainWindow()->palette().color(QPalette::Window).name(), window);
        // Back to the system theme: the desktop's own palette again.
        m_app->settings().saveAppTheme(AppTheme::system);
        QCOMPARE(QApplication::palette().color(QPalette::Window), desktop.color(QPalette::Window));
        QCOMPARE(QApplication::palette().color(QPalette::WindowText), desktop.color(QPalette::WindowText));
    }

    void trayMenuHoldsTheCommands()
    {
        QStringList items;
        for (QAction *action : m_app->tray()->menu()->actions()) {
            if (!action->isSeparator())
                items << action->text();
        }
        QCOMPARE(items, (QStringList{"Show Window", "Settings", "About Tintora", "Tintora Help",
                                     "Check for Updates...", "Quit"}));
    }

    void panelTogglesAndShowWindowBringsTheWindow()
    {
        TrayIconController *tray = m_app->tray();
        tray->togglePanel();
        QVERIFY(tray->panel()->isVisible());
        QCOMPARE(tray->panel()->width(), TrayView::panelWidth);
        tray->togglePanel();
        QVERIFY(!tray->panel()->isVisible());

        m_app->mainWindow()->hide();
        tray->togglePanel();
        emit tray->panelView()->showWindowRequested();
        QVERIFY(m_app->mainWindow()->isVisible());
        QVERIFY(!tray->panel()->isVisible());
    }

    void helpOpensTheConfiguredAddress()
    {
        qputenv("TINTORA_HELP_URL", "https://example.org/help");
        m_app->openHelp();
        qputenv("TINTORA_HELP_URL", "");
        m_app->openHelp();
        qunsetenv("TINTORA_HELP_URL");
        QCOMPARE(m_desktop->openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/help"))});
    }

    void updateFeedAnswers_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<UpdateCheck::Outcome>("outcome");
        QTest::addColumn<QString>("latest");

        QTest::newRow("newer") << QByteArray("{\"version\": \"9.1\", \"url\": \"https://example.org/get\"}")
                               << UpdateCheck::Outcome::updateAvailable << "9.1";
        QTest::newRow("same") << QByteArray("{\"version\": \"" TINTORA_VERSION "\"}")
                              << UpdateCheck::Outcome::upToDate << TINTORA_VERSION;
        QTest::newRow("older") << QByteArray("{\"version\": \"0.0.1\"}") << UpdateCheck::Outcome::upToDate << "0.0.1";
        QTest::newRow("not json") << QByteArray("<html>") << UpdateCheck::Outcome::failed << "";
        QTest::newRow("no version") << QByteArray("{\"url\": \"x\"}") << UpdateCheck::Outcome::failed << "";
    }

    void updateFeedAnswers()
    {
        QFETCH(QByteArray, feed);
        QFETCH(UpdateCheck::Outcome, outcome);
        QFETCH(QString, latest);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("feed.json"));
        writeFile(path, feed);
        UpdaterController updater(QUrl::fromLocalFile(path), QStringLiteral(TINTORA_VERSION));
        QSignalSpy finished(&updater, &UpdaterController::checkFinished);
        LogCapture log;
        updater.checkForUpdates();
        QVERIFY(finished.wait());
        const auto result = finished[0][0].value<UpdateCheck>();
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.latestVersion, latest);
        QVERIFY(finished[0][1].toBool());
        QCOMPARE(log.lines().size(), outcome == UpdateCheck::Outcome::failed ? 1 : 0);
    }

    void unreachableFeedFailsAndNoFeedMeansThePackageManager()
    {
        UpdaterController missing(QUrl::fromLocalFile(QStringLiteral("/nonexistent/feed.json")), QStringLiteral("1.0"));
        QSignalSpy failed(&missing, &UpdaterController::checkFinished);
        LogCapture log;
        missing.checkInBackground();
        QVERIFY(failed.wait());
        QCOMPARE(failed[0][0].value<UpdateCheck>().outcome, UpdateCheck::Outcome::failed);
        QVERIFY(!failed[0][1].toBool());

        UpdaterController none(QUrl(), QStringLiteral("1.0"));
        QSignalSpy answered(&none, &UpdaterController::checkFinished);
        none.checkForUpdates();
        QCOMPARE(answered.size(), 1);
        QCOMPARE(answered[0][0].value<UpdateCheck>().outcome, UpdateCheck::Outcome::noFeed);
    }

    void cleanupTestCase()
    {
        // Last: quitting closes every window and says so.
        LogCapture log;
        m_app->showAbout();
        m_app->quit();
        QVERIFY(!m_app->mainWindow()->isVisible());
        QVERIFY(log.contains(QStringLiteral("Application is terminating...")));
    }
};

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
