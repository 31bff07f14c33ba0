#include "picking/toastview.h"
#include "picking/toastwindowcontroller.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

// The copy toast: its text, where it appears, that it never takes focus or
// clicks, and that a new toast replaces the old one with all its pending steps.
class TestToast : public QObject
{
    Q_OBJECT

private slots:
    void showsTheTextWithLoaded_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("dot");

        QTest::newRow("hex") << "#1A2B3C" << "#1A2B3C loaded." << "#1a2b3c";
        QTest::newRow("hex without #") << "AABBCC" << "AABBCC loaded." << "#aabbcc";
        QTest::newRow("not hex gives a black dot") << "rgb(26, 43, 60)" << "rgb(26, 43, 60) loaded." << "#000000";
    }

    void showsTheTextWithLoaded()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, dot);

        ToastWindowController::shared().show(text, QPoint(10, 10));
        ToastView *toast = ToastWindowController::shared().window();
        QVERIFY(toast);
        QCOMPARE(toast->text(), shown);
        QStringList labelTexts;
        bool dotFound = false;
        for (QLabel *label : toast->findChildren<QLabel *>()) {
            labelTexts << label->text();
            dotFound = dotFound || label->styleSheet().contains(dot);
        }
        QVERIFY(labelTexts.contains(shown));
        QVERIFY2(dotFound, qPrintable(dot));
    }

    void sitsAtTheBottomCentreWithoutFocusOrClicks()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        ToastWindowController::shared().show(QStringLiteral("#1A2B3C"), screen->geometry().center());
        ToastView *toast = ToastWindowController::shared().window();
        QVERIFY(toast);
        QVERIFY(toast->isVisible());

        const QRect area = screen->availableGeometry();
        const QRect pill = toast->pillGeometry().translated(toast->pos());
        QCOMPARE(pill.center().x(), area.center().x());
        QCOMPARE(pill.bottom() + 1, area.bottom() + 1 - ToastWindowController::bottomOffset);

        const Qt::WindowFlags flags = toast->windowFlags();
        for (Qt::WindowType flag : {Qt::Tool, Qt::FramelessWindowHint, Qt::WindowDoesNotAcceptFocus,
                                    Qt::WindowTransparentForInput, Qt::WindowStaysOnTopHint})
            QVERIFY(flags.testFlag(flag));
        QVERIFY(toast->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(toast->testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!toast->isActiveWindow());
    }

    void fadesInHoldsAndFadesOutThenCloses()
    {
        ToastWindowController::shared().show(QStringLiteral("#1A2B3C"), {});
        QPointer<ToastView> toast = ToastWindowController::shared().window();
        QAbstractAnimation *steps = ToastWindowController::shared().animation();
        QVERIFY(steps);
        QCOMPARE(steps->totalDuration(), ToastWindowController::fadeInMs + ToastWindowController::holdMs
                                             + ToastWindowController::fadeOutMs);
        QCOMPARE(toast->windowOpacity(), 0.0);

        steps->setCurrentTime(ToastWindowController::fadeInMs + 1000);
        QCOMPARE(toast->windowOpacity(), 1.0);
        steps->setCurrentTime(steps->totalDuration());
        QVERIFY(!ToastWindowController::shared().window());
        QTRY_VERIFY(!toast);
    }

    void aNewToastReplacesTheOldOneAndItsPendingSteps()
    {
        ToastWindowController::shared().show(QStringLiteral("first"), {});
        QPointer<ToastView> first = ToastWindowController::shared().window();
        QPointer<QAbstractAnimation> firstSteps = ToastWindowController::shared().animation();
        firstSteps->setCurrentTime(ToastWindowController::fadeInMs + 100);

        ToastWindowController::shared().show(QStringLiteral("second"), {});
        QPointer<ToastView> second = ToastWindowController::shared().window();
        QVERIFY(first != second);
        QVERIFY(!first || !first->isVisible());
        QTRY_VERIFY(!first);
        QVERIFY(!firstSteps);

        // The second toast runs its own full cycle.
        QAbstractAnimation *secondSteps = ToastWindowController::shared().animation();
        QCOMPARE(secondSteps->state(), QAbstractAnimation::Running);
        QVERIFY(secondSteps->currentTime() < ToastWindowController::fadeInMs);
        QCOMPARE(second->text(), QStringLiteral("second loaded."));
        QVERIFY(second->isVisible());
    }
};

QTEST_MAIN(TestToast)
#include "tst_toast.moc"
