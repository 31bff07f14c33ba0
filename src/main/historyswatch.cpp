#include "historyswatch.h"

#include "app/themecolors.h"
#include "hexdrag.h"
#include "app/stylesheet.h"

#include <QApplication>
#include <QMouseEvent>

HistorySwatch::HistorySwatch(const ColorHistoryItem &item, QWidget *parent) : QWidget(parent), m_item(item)
{
    setFixedSize(28, 28);
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);
    setToolTip(item.hex);
    setBorder(Qt::gray, 1);
}

void HistorySwatch::setBorder(const QColor &color, qreal width)
{
    applyStyleSheet(this, QStringLiteral("HistorySwatch { background: %1; border: %2px solid %3; border-radius: 14px; }")
                      .arg(toQColor(ColorValue::fromHexOrBlack(m_item.hex)).name())
                      .arg(width)
                      .arg(color.name(QColor::HexArgb)));
}

void HistorySwatch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = true;
    m_pressPosition = event->position().toPoint();
}

void HistorySwatch::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || (event->position().toPoint() - m_pressPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    startHexDrag(this, m_item.hex, ColorValue::fromHexOrBlack(m_item.hex));
}

void HistorySwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(m_item.hex);
    m_pressed = false;
}
