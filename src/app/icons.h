#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The bundled symbols (resources/icons), tinted when drawn.
namespace Icons {

// `name` is the file name without ".svg"; `size` is in device-independent pixels.
QPixmap pixmap(const QString &name, const QColor &tint, QSize size, qreal devicePixelRatio = 0);
QIcon icon(const QString &name, const QColor &tint, QSize size);

// The application icon; the eyedropper in blue when the picture cannot be read.
QPixmap appIcon(QSize size, qreal devicePixelRatio = 0);
QIcon appIcon();

} // namespace Icons
