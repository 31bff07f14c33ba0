#include "main/headerbar.h"
#include "main/historystrip.h"
#include "main/historyswatch.h"
#include "main/mainwindow.h"
#include "main/pickbutton.h"
#include "main/picksection.h"
#include "picking/colorpickerlogic.h"
#include "picking/historymanager.h"
#include "picking/toastview.h"
#include "picking/toastwindowcontroller.h"
#include "settings/settingsmanager.h"
#include "support/mainwindowfixture.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace {

using Window = MainWindowFixture;

// Window opacity is kept in 255 steps.
bool opacityIs(const QWidget &window, double expected) { return qAbs(window.windowOpacity() - expected) < 0.5 / 255; }

} // namespace

// The main window's frame, header and pick section over fake desktop services.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void sizeFollowsTheContrastSwitch()
    {
        Window w;
        QCOMPARE(w.window.size(), QSize(340, 770));
        w.settings.saveShowContrastChecker(false);
        QCOMPARE(w.window.size(), QSize(340, 680));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Tintora"));
    }

    void storedOpacityAndOnTopApplyWhenShownAndOnEveryChange()
    {
        Window w;
        w.settings.setWindowOpacity(0.6);
        w.settings.setIsAlwaysOnTop(true);
        QSignalSpy firstShown(&w.window, &MainWindow::contentFirstShown);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QVERIFY(opacityIs(w.window, 0.6));
        QVERIFY(w.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

        // Changed from elsewhere (the tray panel, a shortcut, an import).
        w.settings.setIsAlwaysOnTop(false);
        QVERIFY(!w.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w.window.isVisible());
        w.settings.setWindowOpacity(0.3);
        QVERIFY(opacityIs(w.window, 0.3));

        w.window.hide();
        w.window.show();
        QCOMPARE(firstShown.size(), 1);
    }

    void headerSliderAndPinChangeTheStoredSettings()
    {
        Window w;
        w.window.show();
        QSlider *slider = w.window.headerBar()->opacitySlider();
        slider->setValue(slider->minimum());
        QCOMPARE(w.settings.windowOpacity(), 0.2);
        QCOMPARE(w.preferences.reopened()->number(SettingsManager::opacityKey), 0.2);
        QVERIFY(opacityIs(w.window, 0.2));
        QCOMPARE(slider->focusPolicy(), Qt::NoFocus);

        QToolButton *pin = w.window.headerBar()->pinButton();
        QTest::mouseClick(pin, Qt::LeftButton);
        QVERIFY(w.settings.isAlwaysOnTop());
        QVERIFY(pin->isChecked());
        QVERIFY(w.preferences.reopened()->boolean(SettingsManager::onTopKey));
        QVERIFY(w.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        QVERIFY(!w.window.headerBar()->floatingPaletteButton()->isEnabled());
        QVERIFY(!w.window.headerBar()->settingsButton()->isEnabled());
    }

    void signInSwapsTheContentForTheSignInForm()
    {
        Window w;
        w.window.show();
        QPushButton *signIn = w.window.headerBar()->signInButton();
        QVERIFY(signIn->isVisible());
        QTest::mouseClick(signIn, Qt::LeftButton);
        QVERIFY(w.auth.shouldShowLogin());
        QVERIFY(w.window.isShowingLogin());
        QCOMPARE(w.window.size(), QSize(340, 770));
        w.auth.enableGuestMode();
        QVERIFY(!w.window.isShowingLogin());
        QVERIFY(signIn->isVisible());
    }

    void pickButtonHelpNamesTheShortcut()
    {
        Window w;
        PickButton *pick = w.window.pickSection()->pickButton();
        QCOMPARE(pick->toolTip(), QStringLiteral("Shortcut: Not set"));
        w.settings.shortcuts().setCombination(QStringLiteral("foregroundColor"),
                                              KeyCombination::fromDisplayText(QStringLiteral("ctrl+shift+p")));
        QCOMPARE(pick->toolTip(), QStringLiteral("Shortcut: Ctrl+Shift+P"));
        QCOMPARE(pick->focusPolicy(), Qt::NoFocus);
    }

    void windowPickGoesToStateHistoryClipboardAndToast_data()
    {
        QTest::addColumn<bool>("autoCopy");
        QTest::addColumn<QStringList>("clipboard");

        QTest::newRow("auto-copy on") << true << QStringList{QStringLiteral("1A2B3C")};
        QTest::newRow("auto-copy off") << false << QStringList();
    }

    void windowPickGoesToStateHistoryClipboardAndToast()
    {
        QFETCH(bool, autoCopy);
        QFETCH(QStringList, clipboard);

        Window w;
        w.settings.setAutoCopyHex(autoCopy);
        w.window.show();
        QTest::mouseClick(w.window.pickSection()->pickButton(), Qt::LeftButton);
        QCOMPARE(w.desktop.openSamplerCount(), 1);
        w.desktop.openSampler()->complete(ColorValue::fromHex(u"1A2B3C"));
        QTRY_COMPARE(w.logic.foregroundHex(), QStringLiteral("#1A2B3C"));
        QCOMPARE(w.history.history().value(0).hex, QStringLiteral("#1A2B3C"));
        QCOMPARE(w.desktop.clipboard, clipboard);
        QCOMPARE(ToastWindowController::shared().window()->text(), QStringLiteral("#1A2B3C loaded."));
        QTRY_COMPARE(w.window.pickSection()->historyStrip()->swatches().size(), 1);
    }

    void windowPickCancelledChangesNothing()
    {
        Window w;
        w.window.pickColor(PickerTarget::foreground);
        // The window keeps no record of an open sampler: each press opens one.
        w.window.pickColor(PickerTarget::foreground);
        QCOMPARE(w.desktop.openSamplerCount(), 2);
        w.desktop.openSampler()->complete(std::nullopt);
        QCoreApplication::processEvents();
        QVERIFY(w.history.history().isEmpty());
        QCOMPARE(w.logic.foregroundHex(), QStringLiteral("FFFFFF"));
    }

    void historyClickMakesTheForegroundWithoutRecording()
    {
        Window w;
        w.history.addColor(QStringLiteral("#112233"));
        w.history.addColor(QStringLiteral("not a colour"));
        w.history.addColor(QStringLiteral("#445566"));
        w.window.show();
        const QList<HistorySwatch *> swatches = w.window.pickSection()->historyStrip()->swatches();
        QCOMPARE(swatches.size(), 3);
        QCOMPARE(swatches[0]->item().hex, QStringLiteral("#445566"));

        QTest::mouseClick(swatches[2], Qt::LeftButton);
        QCOMPARE(w.logic.foregroundHex(), QStringLiteral("#112233"));
        QTest::mouseClick(swatches[1], Qt::LeftButton);
        QCOMPARE(w.logic.foregroundHex(), QStringLiteral("#112233"));
        QCOMPARE(w.history.history().size(), 3);
        QCOMPARE(w.history.history()[2].hex, QStringLiteral("#112233"));
        QVERIFY(w.desktop.clipboard.isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
