#pragma once

#include "color/colorvalue.h"

#include <QImage>
#include <QWidget>
#include <optional>

// One screen's frozen image, full screen and above everything, with the
// loupe: a round, zoomed pixel grid around the pixel under the pointer, that
// pixel outlined, and its hex below. Moving the loupe repaints only where it
// was and where it is.
class MagnifierWindow : public QWidget
{
    Q_OBJECT

public:
    // `capture` is the screen's image in device pixels.
    MagnifierWindow(QScreen *screen, const QImage &capture);

    // The colour of a device pixel of the capture; black outside it.
    ColorValue colorAt(QPoint pixel) const;
    QRect pixelRect() const { return m_capture.rect(); }
    // The device pixel the loupe is on; nothing hides it.
    void setLoupe(std::optional<QPoint> pixel);

signals:
    void pointerMoved(const QPointF &globalPosition);
    void pressed(Qt::MouseButton button, const QPointF &globalPosition);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRectF circleAround(QPoint pixel) const;
    QRectF labelRect(QPoint pixel) const;
    QRect loupeBounds(QPoint pixel) const;
    void paintLoupe(QPainter &painter, QPoint pixel) const;

    QImage m_capture;
    std::optional<QPoint> m_pixel;
};
