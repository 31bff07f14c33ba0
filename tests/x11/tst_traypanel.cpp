#include "app/tintoraapp.h"
#include "app/trayiconcontroller.h"
#include "app/traypanel.h"
#include "bystanderprocess.h"
#include "desktoptools.h"
#include "grabcheck.h"
#include "main/colorcard.h"
#include "main/mainwindow.h"
#include "main/trayview.h"
#include "picking/colorpickerlogic.h"
#include "support/fakedesktop.h"
#include "support/tempconfig.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QWidget>

namespace {

QString id(const QWidget &widget) { return QString::number(widget.winId()); }

} // namespace

// The tray panel on a real X server, window manager and tray: opened by a
// click on the icon, it leaves the keyboard with the window in use, closes on
// a click elsewhere, and takes the keyboard only for typing a hex.
class TestTrayPanel : public QObject
{
    Q_OBJECT

    TempConfig m_config;
    std::unique_ptr<TintoraApp> m_app;
    // Another program's window, where the user works.
    BystanderProcess m_bystander{QRect(200, 200, 500, 400)};
    QString m_bystanderWindow;

private slots:
    void initTestCase()
    {
        m_app = std::make_unique<TintoraApp>(std::make_unique<FakeDesktopServices>());
        m_app->start();
        m_app->mainWindow()->hide();
        QTRY_VERIFY(m_app->tray());
        // Docked in the tray.
        QTRY_VERIFY_WITH_TIMEOUT(m_app->tray()->trayIcon()->geometry().isValid(), 10000);

        m_bystanderWindow = m_bystander.waitUntilShown();
        QVERIFY(!m_bystanderWindow.isEmpty());
    }

    void init()
    {
        QVERIFY(xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), m_bystanderWindow}));
        QTRY_COMPARE(focusedWindow(), m_bystanderWindow);
    }

    void cleanup()
    {
        if (panel() && panel()->isVisible())
            panel()->hide();
    }

    void openingLeavesTheKeyboardWithTheWindowInUse()
    {
        openPanel();
        QCOMPARE(activeWindow(), m_bystanderWindow);
        QCOMPARE(focusedWindow(), m_bystanderWindow);

        const int keysBefore = m_bystander.keys();
        QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("ab")}));
        QTRY_COMPARE(m_bystander.keys(), keysBefore + 2);
        QVERIFY(panel()->isVisible());
    }

    void clickElsewhereCloses()
    {
        openPanel();
        QVERIFY(clickAt(m_bystander.centre()));
        QTRY_VERIFY(!panel()->isVisible());
        QCOMPARE(activeWindow(), m_bystanderWindow);

        // The pointer is free again: the next click reaches the window.
        const int clicksBefore = m_bystander.clicks();
        QVERIFY(clickAt(m_bystander.centre()));
        QTRY_COMPARE(m_bystander.clicks(), clicksBefore + 1);
    }

    void iconClickClosesTheOpenPanel()
    {
        openPanel();
        QVERIFY(clickAt(iconCentre()));
        QTRY_VERIFY(!panel()->isVisible());
        QTest::qWait(300);
        QVERIFY(!panel()->isVisible());
        // And the next click, the pointer still on the icon, opens it again.
        openPanel();
    }

    void editingTakesTheKeyboardAndClosingGivesItBack()
    {
        startEditing(m_app->tray()->panelView()->foregroundCard());
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")}));
        QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("1a2b3c")}));
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
        QTRY_COMPARE(m_app->logic().foregroundHex(), QStringLiteral("#1A2B3C"));
        QVERIFY(panel()->isVisible());

        QVERIFY(clickAt(m_bystander.centre()));
        QTRY_VERIFY(!panel()->isVisible());
        QTRY_COMPARE(activeWindow(), m_bystanderWindow);
        QTRY_COMPARE(focusedWindow(), m_bystanderWindow);
    }

    void escapeClosesTheActivePanel()
    {
        startEditing(m_app->tray()->panelView()->backgroundCard());
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
        QTRY_VERIFY(!panel()->isVisible());
        QTRY_COMPARE(activeWindow(), m_bystanderWindow);
    }

    void anotherWindowOfOursEndsIt()
    {
        openPanel();
        m_app->showMainWindow();
        QTRY_VERIFY(!panel()->isVisible());
        m_app->mainWindow()->hide();
    }

private:
    TrayPanel *panel() const { return m_app->tray()->panel(); }

    QPoint iconCentre() const { return m_app->tray()->trayIcon()->geometry().center(); }

    void openPanel()
    {
        QVERIFY(clickAt(iconCentre()));
        QTRY_VERIFY(panel() && panel()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(panel()));
        // It holds the pointer, so that a click anywhere else reaches it,
        // but leaves the keyboard alone.
        QTRY_VERIFY_WITH_TIMEOUT(!GrabCheck::now().pointerFree, 10000);
        QVERIFY(GrabCheck::now().keyboardFree);
    }

    // Opens the panel and clicks a card's pencil: the panel becomes active.
    void startEditing(ColorCard *card)
    {
        openPanel();
        QToolButton *edit = card->editButton();
        QVERIFY(clickAt(edit->mapToGlobal(edit->rect().center())));
        QTRY_COMPARE(activeWindow(), id(*panel()));
    }
};

QTEST_MAIN(TestTrayPanel)
#include "tst_traypanel.moc"
