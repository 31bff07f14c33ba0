#include "colorcard.h"

#include "app/icons.h"
#include "app/textstyles.h"
#include "app/themecolors.h"
#include "app/stylesheet.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int hexPixelSize = 24;

QString withHash(const QString &hex) { return hex.startsWith(u'#') ? hex : u'#' + hex; }

void setOpacity(QWidget *widget, qreal opacity)
{
    auto *effect = new QGraphicsOpacityEffect(widget);
    effect->setOpacity(opacity);
    widget->setGraphicsEffect(effect);
}

} // namespace

ColorCard::ColorCard(const QString &title, QWidget *parent)
    : QWidget(parent), m_title(new QLabel(title, this)), m_shortcut(new QLabel(this)), m_hexLabel(new QLabel(this)),
      m_hexField(new QLineEdit(this)), m_name(new QLabel(this)), m_editButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("colorCard"));
    setAttribute(Qt::WA_StyledBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(85);

    m_title->setFont(TextStyles::font(TextStyles::Style::smallestCaption));
    setOpacity(m_title, 0.8);
    // The hint is drawn a tenth smaller than the title's style.
    QFont hintFont = TextStyles::font(TextStyles::Style::smallestCaption);
    hintFont.setPixelSize(8);
    m_shortcut->setFont(hintFont);
    setOpacity(m_shortcut, 0.6);
    m_shortcut->hide();

    m_hexLabel->setFont(TextStyles::monospaced(hexPixelSize, QFont::Bold));
    m_hexField->setFont(TextStyles::monospaced(hexPixelSize, QFont::Bold));
    m_hexField->setFrame(false);
    m_hexField->setFixedWidth(120);
    m_hexField->setPlaceholderText(QStringLiteral("HEX"));
    m_hexField->hide();
    m_name->setFont(TextStyles::font(TextStyles::Style::caption));
    setOpacity(m_name, 0.9);

    m_editButton->setFocusPolicy(Qt::NoFocus);
    m_editButton->setAutoRaise(true);
    m_editButton->setIconSize(QSize(13, 13));
    m_editButton->setCursor(Qt::PointingHandCursor);

    auto *header = new QHBoxLayout;
    header->setSpacing(4);
    header->addWidget(m_title);
    header->addStretch();
    header->addWidget(m_shortcut);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(2);
    column->addLayout(header);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(m_hexLabel);
    texts->addWidget(m_hexField);
    texts->addWidget(m_name);
    column->addLayout(texts);
    column->addStretch();

    connect(m_editButton, &QToolButton::clicked, this, &ColorCard::toggleEditing);
    connect(m_hexField, &QLineEdit::returnPressed, this, [this] {
        if (m_editing)
            toggleEditing();
    });
    applyColors();
}

void ColorCard::setColor(const ColorValue &color)
{
    m_color = color;
    applyColors();
}

void ColorCard::setHex(const QString &hex)
{
    m_hex = hex;
    m_hexLabel->setText(withHash(hex));
    fitHexFont();
}

void ColorCard::setName(const QString &name) { m_name->setText(name); }

void ColorCard::setShortcut(const QString &shortcut)
{
    m_shortcut->setText(shortcut);
    m_shortcut->setVisible(!shortcut.isEmpty());
}

QString ColorCard::shownHex() const { return m_editing ? m_hexField->text() : m_hexLabel->text(); }

QString ColorCard::shortcutHint() const { return m_shortcut->isHidden() ? QString() : m_shortcut->text(); }

void ColorCard::toggleEditing()
{
    if (m_editing) {
        m_editing = false;
        emit saved(m_hexField->text());
    } else {
        m_editing = true;
        m_hexField->setText(m_hex);
        m_hexField->setFocus();
    }
    m_hexLabel->setVisible(!m_editing);
    m_hexField->setVisible(m_editing);
    applyColors();
    if (m_editing)
        emit editingStarted();
}

void ColorCard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The edit button floats in the bottom right corner, over the texts.
    m_editButton->adjustSize();
    m_editButton->move(width() - 10 - m_editButton->width(), height() - 10 - m_editButton->height());
    m_editButton->raise();
    fitHexFont();
}

void ColorCard::applyColors()
{
    const QColor ink = m_color.isLight() ? QColor(Qt::black) : QColor(Qt::white);
    const QString inkName = ink.name();
    const QColor face = toQColor(m_color);
    applyStyleSheet(this, QStringLiteral("#colorCard { background: %1; border: 1px solid rgba(%2, %2, %2, 26); }"
                                 "QLabel, QLineEdit { color: %3; background: transparent; }"
                                 "QToolButton { background: %4; border: none; border-radius: 6px; padding: 6px; }")
                      .arg(QColor(face.rgb()).name())
                      .arg(ink == Qt::black ? 0 : 255)
                      .arg(inkName)
                      .arg(ink == Qt::black ? QStringLiteral("rgba(0, 0, 0, 20)")
                                            : QStringLiteral("rgba(255, 255, 255, 51)")));
    m_editButton->setIcon(Icons::icon(m_editing ? QStringLiteral("check-lg") : QStringLiteral("pencil"), ink,
                                      QSize(13, 13)));
    m_editButton->setToolTip(m_editing ? QStringLiteral("Save") : QStringLiteral("Edit Hex"));
}

void ColorCard::fitHexFont()
{
    // The hex may shrink to half its size to fit beside the edit button.
    const int available = width() - 20 - m_editButton->sizeHint().width() - 4;
    QFont font = TextStyles::monospaced(hexPixelSize, QFont::Bold);
    for (int size = hexPixelSize; size >= hexPixelSize / 2; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(m_hexLabel->text()) <= available)
            break;
    }
    m_hexLabel->setFont(font);
}
