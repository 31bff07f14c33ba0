#include "icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: register them before first use.
static void registerResources() { Q_INIT_RESOURCE(tintora); }

namespace Icons {
namespace {

QString resource(const QString &path)
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    return path;
}

qreal ratio(qreal requested) { return requested > 0 ? requested : qApp->devicePixelRatio(); }

QPixmap render(QSvgRenderer &renderer, QSize size, qreal dpr)
{
    QImage image(size * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Scaled to fit, centred: the symbols are square, the target may not be.
    QSizeF fitted = QSizeF(renderer.defaultSize()).scaled(QSizeF(size), Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
                                     fitted));
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap pixmap(const QString &name, const QColor &tint, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(resource(QStringLiteral(":/icons/%1.svg").arg(name)));
    if (!renderer.isValid())
        return {};
    QPixmap result = render(renderer, size, ratio(devicePixelRatio));
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), size), tint);
    return result;
}

QIcon icon(const QString &name, const QColor &tint, QSize size)
{
    QIcon result;
    result.addPixmap(pixmap(name, tint, size, 1));
    result.addPixmap(pixmap(name, tint, size, 2));
    return result;
}

QPixmap appIcon(QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(resource(QStringLiteral(":/tintora.svg")));
    if (!renderer.isValid())
        return pixmap(QStringLiteral("eyedropper"), QColor(0x0A, 0x84, 0xFF), size, devicePixelRatio);
    return render(renderer, size, ratio(devicePixelRatio));
}

QIcon appIcon()
{
    QIcon result;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        result.addPixmap(appIcon(QSize(side, side), 1));
    return result;
}

} // namespace Icons
