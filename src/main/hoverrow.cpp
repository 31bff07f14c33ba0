#include "hoverrow.h"

#include "app/textstyles.h"
#include "app/stylesheet.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

HoverRow::HoverRow(QWidget *parent)
    : QAbstractButton(parent), m_accent(palette().color(QPalette::Highlight)), m_row(new QHBoxLayout(this)),
      m_title(new QLabel(this)), m_shortcut(new QLabel(this))
{
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_title->setFont(TextStyles::system(13));
    m_shortcut->setFont(TextStyles::font(TextStyles::Style::caption));
    m_shortcut->hide();
    for (QLabel *label : {m_title, m_shortcut})
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_row->setContentsMargins(10, 4, 10, 4);
    m_row->setSpacing(6);
    m_row->addWidget(m_title);
    m_row->addStretch();
    m_row->addWidget(m_shortcut);
    addSecondaryLabel(m_shortcut, 1.0);
}

void HoverRow::setAccentColor(const QColor &color)
{
    m_accent = color;
    update();
}

QString HoverRow::title() const { return m_title->text(); }

void HoverRow::setTitle(const QString &title) { m_title->setText(title); }

void HoverRow::setShortcut(const QString &shortcut)
{
    m_shortcut->setText(shortcut);
    m_shortcut->setVisible(!shortcut.isEmpty());
}

QString HoverRow::shortcutHint() const { return m_shortcut->isHidden() ? QString() : m_shortcut->text(); }

void HoverRow::addSecondaryLabel(QLabel *label, qreal restingOpacity)
{
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_secondary.append({label, restingOpacity});
    applyTextColors();
}

void HoverRow::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    setHovering(isEnabled());
}

void HoverRow::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    setHovering(false);
}

void HoverRow::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyTextColors();
    else if (event->type() == QEvent::EnabledChange && !isEnabled())
        setHovering(false);
}

void HoverRow::setHovering(bool hovering)
{
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    applyTextColors();
    update();
}

void HoverRow::applyTextColors()
{
    const QColor primary = m_hovering ? QColor(Qt::white) : palette().color(QPalette::WindowText);
    applyStyleSheet(m_title, QStringLiteral("color: %1;").arg(primary.name(QColor::HexArgb)));
    for (const auto &[label, opacity] : m_secondary) {
        QColor color = m_hovering ? QColor(Qt::white) : palette().color(QPalette::PlaceholderText);
        color.setAlphaF(color.alphaF() * opacity);
        applyStyleSheet(label, QStringLiteral("color: %1;").arg(color.name(QColor::HexArgb)));
    }
}

void HoverRow::paintEvent(QPaintEvent *)
{
    if (!m_hovering)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_accent;
    fill.setAlphaF(0.8);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 4, 4);
    painter.fillPath(shape, fill);
}
