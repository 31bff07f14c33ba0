#include "main/historystrip.h"
#include "main/historyswatch.h"
#include "main/picksection.h"
#include "support/mainwindowfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace {

QStringList moveTo(QPoint point)
{
    return {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
            QStringLiteral("sleep"), QStringLiteral("0.1")};
}

} // namespace

// A history entry dragged out of the main window with the real pointer lands
// as its text in a field that takes dropped text.
class TestHistoryDrag : public QObject
{
    Q_OBJECT

private slots:
    void dragOffersTheStoredText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("colour") << QStringLiteral("#112233");
        QTest::newRow("text that is no colour") << QStringLiteral("not a colour");
    }

    void dragOffersTheStoredText()
    {
        QFETCH(QString, stored);
        MainWindowFixture w;
        w.history.addColor(stored);
        w.window.move(100, 100);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));

        QLineEdit target;
        target.setWindowTitle(QStringLiteral("Drop here"));
        target.setGeometry(700, 300, 300, 40);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));

        const QList<HistorySwatch *> swatches = w.window.pickSection()->historyStrip()->swatches();
        QCOMPARE(swatches.size(), 1);
        const QPoint from = swatches[0]->mapToGlobal(swatches[0]->rect().center());
        const QPoint to = target.mapToGlobal(target.rect().center());
        // Pressed, moved in steps as a hand would, released over the field:
        // one xdotool run that goes on by itself, as the drag holds this
        // process in its own loop until the drop.
        QProcess hand;
        hand.start(QStringLiteral("xdotool"),
                   moveTo(from) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")}
                       + moveTo(from + QPoint(10, 0)) + moveTo(from + QPoint(40, 10)) + moveTo((from + to) / 2)
                       + moveTo(to - QPoint(5, 0)) + moveTo(to)
                       + QStringList{QStringLiteral("mouseup"), QStringLiteral("1")});
        QVERIFY(hand.waitForStarted());

        QTRY_COMPARE_WITH_TIMEOUT(target.text(), stored, 10000);
        QTRY_COMPARE(hand.state(), QProcess::NotRunning);
        // A drag is no click: the foreground stays as it was.
        QCOMPARE(w.logic.foregroundHex(), QStringLiteral("FFFFFF"));
    }
};

QTEST_MAIN(TestHistoryDrag)
#include "tst_historydrag.moc"
