#include "swapbutton.h"

#include "app/icons.h"

#include <QPainter>

SwapButton::SwapButton(int iconSize, int padding, QWidget *parent)
    : QAbstractButton(parent), m_iconSize(iconSize), m_padding(padding)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Swap Colors"));
    setFixedSize(sizeHint());
}

void SwapButton::setSymbolColor(const QColor &color)
{
    if (m_symbolColor == color)
        return;
    m_symbolColor = color;
    update();
}

QSize SwapButton::sizeHint() const
{
    // Room for the disc plus its shadow below.
    const int disc = m_iconSize + 2 * m_padding;
    return {disc + 4, disc + 4};
}

void SwapButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.7);

    const qreal disc = m_iconSize + 2 * m_padding;
    const QRectF circle((width() - disc) / 2, (height() - disc) / 2 - 1, disc, disc);

    // Shadow: black at 0.15, one point down, softened by two rings.
    painter.setPen(Qt::NoPen);
    for (int ring = 2; ring >= 0; --ring) {
        painter.setBrush(QColor(0, 0, 0, 15 + 10 * (2 - ring)));
        painter.drawEllipse(circle.translated(0, 1).adjusted(-ring * 0.5, -ring * 0.5, ring * 0.5, ring * 0.5));
    }
    // The disc is light under dark arrows and dark under light ones.
    QColor material = m_symbolColor.lightness() < 128 ? QColor(255, 255, 255) : QColor(30, 30, 30);
    material.setAlphaF(0.85);
    painter.setBrush(material);
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlphaF(0.1);
    painter.setPen(QPen(edge, 0.5));
    painter.drawEllipse(circle);

    const QPixmap arrows =
        Icons::pixmap(QStringLiteral("arrow-left-right"), m_symbolColor, QSize(m_iconSize, m_iconSize), devicePixelRatioF());
    painter.drawPixmap(QPointF(circle.x() + m_padding, circle.y() + m_padding), arrows);
}
