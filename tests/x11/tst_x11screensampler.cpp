#include "desktoptools.h"
#include "grabcheck.h"
#include "platform/x11/x11screensampler.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {

const QColor base(0x1A, 0x2B, 0x3C);
const QColor marked(0xFF, 0x00, 0x00);
const QColor beyond(0x00, 0xFF, 0x00);

// At a fixed place on the screen: #1A2B3C with two one-pixel columns, x = 100
// red and x = 101 green.
class PaintedWindow : public QWidget
{
public:
    static constexpr QRect area{200, 300, 240, 160};

    PaintedWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        setGeometry(area);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), base);
        painter.fillRect(QRect(100, 0, 1, height()), marked);
        painter.fillRect(QRect(101, 0, 1, height()), beyond);
    }
};

QString globalPoint(int x, int y)
{
    return QString::number(PaintedWindow::area.x() + x) + u' ' + QString::number(PaintedWindow::area.y() + y);
}

// Collects the rectangles a window repaints.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// Whether another client could take the keyboard and the pointer now, as it
// could not while the magnifier holds them.
bool inputIsFree()
{
    const GrabCheck check = GrabCheck::now();
    return check.keyboardFree && check.pointerFree;
}

QWidget *magnifier()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowTitle() == u"Tintora Magnifier" && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

class TestX11ScreenSampler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void picks_data();
    void picks();
    void cancels_data();
    void cancels();
    void loupeRepaintsOnlyItself();
    void deletedWhileOpenReleasesTheScreen();

private:
    void open();
    QStringList toolArguments(const QString &line) const { return line.split(u' '); }

    std::unique_ptr<PaintedWindow> m_window;
    std::unique_ptr<X11ScreenSampler> m_sampler;
    QList<std::optional<ColorValue>> m_answers;
};

void TestX11ScreenSampler::initTestCase()
{
    m_window = std::make_unique<PaintedWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestX11ScreenSampler::init()
{
    m_answers.clear();
    QVERIFY(xdotool(toolArguments(QStringLiteral("mousemove ") + globalPoint(20, 20))));
}

void TestX11ScreenSampler::cleanup()
{
    m_sampler.reset();
    QTRY_VERIFY(!magnifier());
}

void TestX11ScreenSampler::open()
{
    m_sampler = std::make_unique<X11ScreenSampler>();
    m_sampler->show([this](std::optional<ColorValue> color) { m_answers << color; });
    QTRY_VERIFY(magnifier());
    QVERIFY(QTest::qWaitForWindowExposed(magnifier()));
    QVERIFY(!inputIsFree());
}

void TestX11ScreenSampler::picks_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("click") << "mousemove " + globalPoint(30, 40) + " click 1" << base;
    QTest::newRow("return") << "mousemove " + globalPoint(100, 40) + " key Return" << marked;
    QTest::newRow("right arrow moves one pixel") << "mousemove " + globalPoint(99, 40) + " key Right click 1" << marked;
    QTest::newRow("left arrow moves one pixel") << "mousemove " + globalPoint(102, 40) + " key Left click 1" << beyond;
    QTest::newRow("two right") << "mousemove " + globalPoint(99, 40) + " key Right Right click 1" << beyond;
    QTest::newRow("up and down") << "mousemove " + globalPoint(100, 40) + " key Up Down Down Up key Return" << marked;
}

void TestX11ScreenSampler::picks()
{
    QFETCH(QString, steps);
    QFETCH(QColor, expected);
    open();
    QVERIFY(xdotool(toolArguments(steps)));
    QTRY_COMPARE(m_answers.size(), 1);
    QVERIFY(m_answers.first().has_value());
    QCOMPARE(m_answers.first()->toHex(), expected.name(QColor::HexRgb).toUpper());
    QCOMPARE(*m_answers.first(), ColorValue::clipped(expected.red() / 255.0, expected.green() / 255.0, expected.blue() / 255.0));
    QTRY_VERIFY(!magnifier());
    QVERIFY(inputIsFree());
    QTest::qWait(100);
    QCOMPARE(m_answers.size(), 1);
}

void TestX11ScreenSampler::cancels_data()
{
    QTest::addColumn<QString>("steps");
    QTest::newRow("escape") << "mousemove " + globalPoint(30, 40) + " key Escape";
    QTest::newRow("right click") << "mousemove " + globalPoint(30, 40) + " click 3";
}

void TestX11ScreenSampler::cancels()
{
    QFETCH(QString, steps);
    open();
    QVERIFY(xdotool(toolArguments(steps)));
    QTRY_COMPARE(m_answers.size(), 1);
    QCOMPARE(m_answers.first(), std::nullopt);
    QTRY_VERIFY(!magnifier());
    QVERIFY(inputIsFree());
}

void TestX11ScreenSampler::loupeRepaintsOnlyItself()
{
    open();
    PaintRecorder recorder;
    magnifier()->installEventFilter(&recorder);
    QVERIFY(xdotool(toolArguments(QStringLiteral("mousemove ") + globalPoint(60, 60))));
    QTRY_VERIFY(!recorder.painted.isEmpty());
    recorder.painted = QRegion();
    QVERIFY(xdotool(toolArguments(QStringLiteral("mousemove ") + globalPoint(64, 62))));
    QTRY_VERIFY(!recorder.painted.isEmpty());
    const QRect bounds = recorder.painted.boundingRect();
    // Where the loupe was and where it is: far less than the screen.
    QVERIFY2(bounds.width() < 300 && bounds.height() < 300, qPrintable(QStringLiteral("%1x%2").arg(bounds.width()).arg(bounds.height())));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Escape")}));
    QTRY_COMPARE(m_answers.size(), 1);
}

void TestX11ScreenSampler::deletedWhileOpenReleasesTheScreen()
{
    open();
    m_sampler.reset();
    QTRY_VERIFY(!magnifier());
    QVERIFY(inputIsFree());
    QVERIFY(m_answers.isEmpty());
}

QTEST_MAIN(TestX11ScreenSampler)
#include "tst_x11screensampler.moc"
