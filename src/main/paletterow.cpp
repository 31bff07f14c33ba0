#include "paletterow.h"

#include "app/textstyles.h"
#include "app/themecolors.h"
#include "app/stylesheet.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>

PaletteRow::PaletteRow(QWidget *parent) : HoverRow(parent), m_dot(new QLabel(this)), m_hex(new QLabel(this))
{
    m_dot->setFixedSize(12, 12);
    m_dot->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hex->setFont(TextStyles::font(TextStyles::Style::smallestCaption));
    m_hex->setContentsMargins(0, 0, 4, 0);
    row()->insertWidget(0, m_dot);
    // After the title and the stretch, before the shortcut.
    row()->insertWidget(3, m_hex);
    addSecondaryLabel(m_hex, 0.6);
    setGraphicsEffect(new QGraphicsOpacityEffect(this));
}

void PaletteRow::setItem(const MyPaletteColor &item)
{
    m_item = item;
    setTitle(QStringLiteral("Palette %1").arg(item.id));
    const bool hasColor = item.hex.has_value();
    const QString fill = hasColor ? toQColor(ColorValue::fromHexOrBlack(*item.hex)).name() : QStringLiteral("transparent");
    QColor outline = palette().color(QPalette::PlaceholderText);
    outline.setAlphaF(0.2);
    applyStyleSheet(m_dot, QStringLiteral("background: %1; border: 1px solid %2; border-radius: 6px;")
                             .arg(fill, outline.name(QColor::HexArgb)));
    m_hex->setText(item.hex.value_or(QString()));
    m_hex->setVisible(hasColor);
    setEnabled(hasColor);
    static_cast<QGraphicsOpacityEffect *>(graphicsEffect())->setOpacity(hasColor ? 1.0 : 0.5);
}
