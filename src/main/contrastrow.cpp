#include "contrastrow.h"

#include "app/textstyles.h"
#include "color/contrast.h"
#include "compliancebadge.h"
#include "verdictcolors.h"
#include "app/stylesheet.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>

namespace {

QLayout *group(const QString &title, int labelWidth, ComplianceBadge *aa, ComplianceBadge *aaa)
{
    auto *label = new QLabel(title);
    label->setFont(TextStyles::system(13, QFont::Bold));
    label->setFixedWidth(labelWidth);
    auto *badges = new QVBoxLayout;
    badges->setSpacing(4);
    badges->addWidget(aa);
    badges->addWidget(aaa);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(label);
    row->addLayout(badges);
    return row;
}

} // namespace

ContrastRow::ContrastRow(QWidget *parent)
    : QWidget(parent), m_ratioLabel(new QLabel(this)), m_normalAA(new ComplianceBadge(QStringLiteral("AA"), this)),
      m_normalAAA(new ComplianceBadge(QStringLiteral("AAA"), this)),
      m_largeAA(new ComplianceBadge(QStringLiteral("AA"), this)),
      m_largeAAA(new ComplianceBadge(QStringLiteral("AAA"), this))
{
    auto *title = new QLabel(QStringLiteral("Contrast Ratio"), this);
    title->setFont(TextStyles::system(13, QFont::Bold));
    title->setForegroundRole(QPalette::PlaceholderText);
    m_ratioLabel->setFont(TextStyles::monospaced(15, QFont::Bold));

    auto *header = new QHBoxLayout;
    header->setContentsMargins(12, 4, 12, 0);
    header->addWidget(title);
    header->addStretch();
    header->addWidget(m_ratioLabel);

    auto *groups = new QHBoxLayout;
    groups->setContentsMargins(12, 0, 12, 4);
    groups->setSpacing(30);
    groups->addLayout(group(QStringLiteral("Normal"), 55, m_normalAA, m_normalAAA));
    groups->addLayout(group(QStringLiteral("Large"), 45, m_largeAA, m_largeAAA));
    groups->addStretch();

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);
    column->addLayout(header);
    column->addLayout(groups);
    setColors(ColorValue::white(), ColorValue::black());
}

void ContrastRow::setColors(const ColorValue &foreground, const ColorValue &background)
{
    m_ratio = contrastRatio(foreground, background);
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", m_ratio);
    m_ratioLabel->setText(QString::fromLatin1(text));
    m_normalAA->setPass(passesNormalAA(m_ratio));
    m_normalAAA->setPass(passesNormalAAA(m_ratio));
    m_largeAA->setPass(passesLargeAA(m_ratio));
    m_largeAAA->setPass(passesLargeAAA(m_ratio));
    applyRatioColor();
}

QString ContrastRow::ratioText() const { return m_ratioLabel->text(); }

bool ContrastRow::passes(const QString &group, const QString &level) const
{
    const bool normal = group == u"Normal";
    const bool aaa = level == u"AAA";
    return (normal ? (aaa ? m_normalAAA : m_normalAA) : (aaa ? m_largeAAA : m_largeAA))->isPass();
}

void ContrastRow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyRatioColor();
}

void ContrastRow::applyRatioColor()
{
    // Green from the AA threshold for normal text up, the text colour below it.
    const QColor color = passesNormalAA(m_ratio) ? VerdictColors::pass : palette().color(QPalette::WindowText);
    applyStyleSheet(m_ratioLabel, QStringLiteral("color: %1;").arg(color.name()));
}
