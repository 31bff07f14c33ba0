#include "stylesheet.h"

#include <QStyle>
#include <QWidget>

void applyStyleSheet(QWidget *widget, const QString &sheet)
{
    widget->setStyleSheet(sheet);
    QList<QWidget *> widgets = widget->findChildren<QWidget *>();
    widgets.prepend(widget);
    for (QWidget *w : std::as_const(widgets)) {
        w->style()->unpolish(w);
        w->style()->polish(w);
    }
    widget->update();
}
