#include "pickbutton.h"

#include "app/icons.h"
#include "app/textstyles.h"
#include "app/themecolors.h"
#include "app/stylesheet.h"

PickButton::PickButton(QWidget *parent) : QPushButton(QStringLiteral("Pick"), parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(TextStyles::system(13, QFont::Medium));
    setIconSize(QSize(14, 14));
    setShortcut(QString());
}

void PickButton::applyTheme(const ThemeColors &colors)
{
    m_section = colors.sectionBackground;
    m_border = colors.border;
    m_text = colors.text;
    m_borderWidth = colors.borderWidth;
    setIcon(Icons::icon(QStringLiteral("eyedropper"), m_text, QSize(14, 14)));
    applyStyle();
}

void PickButton::setShortcut(const QString &displayText)
{
    setToolTip(QStringLiteral("Shortcut: ") + (displayText.isEmpty() ? QStringLiteral("Not set") : displayText));
}

void PickButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    setHovering(true);
}

void PickButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    setHovering(false);
}

void PickButton::setHovering(bool hovering)
{
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    applyStyle();
}

void PickButton::applyStyle()
{
    // Under the pointer: the section colour at 0.8, brightened by a tenth.
    QColor fill = m_section.isValid() ? m_section : palette().color(QPalette::Button);
    if (m_hovering) {
        fill = fill.lighter(110);
        fill.setAlphaF(0.8);
    }
    const QColor border = m_border.isValid() ? m_border : palette().color(QPalette::Mid);
    const QColor text = m_text.isValid() ? m_text : palette().color(QPalette::ButtonText);
    applyStyleSheet(this, QStringLiteral("PickButton { background: %1; border: %2px solid %3; border-radius: 8px;"
                                 " padding: 10px 16px; color: %4; }"
                                 "PickButton:pressed { background: %3; }")
                      .arg(fill.name(QColor::HexArgb))
                      .arg(m_borderWidth)
                      .arg(border.name(QColor::HexArgb), text.name(QColor::HexArgb)));
}
