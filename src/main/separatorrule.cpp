#include "separatorrule.h"

#include <QPainter>

SeparatorRule::SeparatorRule(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SeparatorRule::paintEvent(QPaintEvent *)
{
    // A separator is the text colour at a fifth; the rule draws it at half that.
    QColor color = palette().color(QPalette::WindowText);
    color.setAlphaF(0.2 * 0.5);
    QPainter(this).fillRect(rect(), color);
}
