#include "hexdrag.h"

#include "app/themecolors.h"

#include <QDrag>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

void startHexDrag(QWidget *source, const QString &text, const ColorValue &color)
{
    const qreal dpr = source->devicePixelRatioF();
    QPixmap preview(QSize(60, 36) * dpr);
    preview.setDevicePixelRatio(dpr);
    preview.fill(Qt::transparent);
    {
        QPainter painter(&preview);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath chip;
        chip.addRoundedRect(QRectF(0, 0, 60, 36), 8, 8);
        painter.fillPath(chip, toQColor(color));
    }
    auto *data = new QMimeData;
    data->setText(text);
    auto *drag = new QDrag(source);
    drag->setMimeData(data);
    drag->setPixmap(preview);
    drag->setHotSpot(QPoint(30, 18));
    drag->exec(Qt::CopyAction);
}
