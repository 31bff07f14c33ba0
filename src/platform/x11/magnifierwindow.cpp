#include "magnifierwindow.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace {

constexpr int cells = 15; // odd, so one cell is the centre
constexpr int cellSize = 9;
constexpr qreal diameter = cells * cellSize;
constexpr qreal labelGap = 6;
constexpr QSizeF labelSize(84, 22);

} // namespace

MagnifierWindow::MagnifierWindow(QScreen *screen, const QImage &capture)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::X11BypassWindowManagerHint),
      m_capture(capture)
{
    m_capture.setDevicePixelRatio(screen->devicePixelRatio());
    // Closing it is no reason for the application to end.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
    setWindowTitle(QStringLiteral("Tintora Magnifier"));
    setGeometry(screen->geometry());
}

ColorValue MagnifierWindow::colorAt(QPoint pixel) const
{
    if (!m_capture.rect().contains(pixel))
        return ColorValue::black();
    const QRgb rgb = m_capture.pixel(pixel);
    return ColorValue::clipped(qRed(rgb) / 255.0, qGreen(rgb) / 255.0, qBlue(rgb) / 255.0);
}

void MagnifierWindow::setLoupe(std::optional<QPoint> pixel)
{
    if (pixel == m_pixel)
        return;
    if (m_pixel)
        update(loupeBounds(*m_pixel));
    m_pixel = pixel;
    if (m_pixel)
        update(loupeBounds(*m_pixel));
}

QRectF MagnifierWindow::circleAround(QPoint pixel) const
{
    const QPointF centre = (QPointF(pixel) + QPointF(0.5, 0.5)) / m_capture.devicePixelRatio();
    return {centre - QPointF(diameter / 2, diameter / 2), QSizeF(diameter, diameter)};
}

QRectF MagnifierWindow::labelRect(QPoint pixel) const
{
    const QRectF circle = circleAround(pixel);
    QRectF label(QPointF(circle.center().x() - labelSize.width() / 2, circle.bottom() + labelGap), labelSize);
    // Near the bottom edge the hex goes above the loupe.
    if (label.bottom() > height())
        label.moveBottom(circle.top() - labelGap);
    return label;
}

QRect MagnifierWindow::loupeBounds(QPoint pixel) const
{
    return circleAround(pixel).united(labelRect(pixel)).adjusted(-3, -3, 3, 3).toAlignedRect();
}

void MagnifierWindow::paintEvent(QPaintEvent *)
{
    // The system clip holds only the damaged rectangles, so this copies no
    // more of the image than was asked for.
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_capture);
    if (m_pixel)
        paintLoupe(painter, *m_pixel);
}

void MagnifierWindow::paintLoupe(QPainter &painter, QPoint pixel) const
{
    const QRectF circle = circleAround(pixel);
    painter.save();
    QPainterPath round;
    round.addEllipse(circle);
    painter.setClipPath(round, Qt::IntersectClip);
    painter.fillRect(circle, QColor(40, 40, 40));

    // Nearest-neighbour zoom of the pixels around, cut at the screen's edges.
    const QRect source(pixel - QPoint(cells / 2, cells / 2), QSize(cells, cells));
    const QRect inside = source & m_capture.rect();
    if (!inside.isEmpty()) {
        const QPointF offset = QPointF(inside.topLeft() - source.topLeft()) * cellSize;
        painter.drawImage(QRectF(circle.topLeft() + offset, QSizeF(inside.size()) * cellSize), m_capture,
                          QRectF(inside));
    }
    painter.setPen(QPen(QColor(128, 128, 128, 90), 0));
    for (int i = 1; i < cells; ++i) {
        const qreal x = circle.left() + i * cellSize;
        const qreal y = circle.top() + i * cellSize;
        painter.drawLine(QPointF(x, circle.top()), QPointF(x, circle.bottom()));
        painter.drawLine(QPointF(circle.left(), y), QPointF(circle.right(), y));
    }
    const QRectF centre(circle.topLeft() + QPointF(cells / 2, cells / 2) * cellSize, QSizeF(cellSize, cellSize));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(centre.adjusted(-1, -1, 1, 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(centre);
    painter.restore();

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0, 160), 3));
    painter.drawEllipse(circle);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(circle);

    const QString hex = colorAt(pixel).toHex();
    const QRectF label = labelRect(pixel);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRoundedRect(label, 6, 6);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, hex);
}

void MagnifierWindow::mouseMoveEvent(QMouseEvent *event) { emit pointerMoved(event->globalPosition()); }

void MagnifierWindow::mousePressEvent(QMouseEvent *event) { emit pressed(event->button(), event->globalPosition()); }
