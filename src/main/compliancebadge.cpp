#include "compliancebadge.h"

#include "app/icons.h"
#include "app/textstyles.h"
#include "verdictcolors.h"
#include "app/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

QString rgba(const QColor &color, double opacity)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(color.red()).arg(color.green()).arg(color.blue()).arg(opacity);
}

} // namespace

ComplianceBadge::ComplianceBadge(const QString &level, QWidget *parent)
    : QWidget(parent), m_symbol(new QLabel(this)), m_level(new QLabel(level, this))
{
    setObjectName(QStringLiteral("complianceBadge"));
    setAttribute(Qt::WA_StyledBackground);
    setMinimumWidth(32);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_level->setFont(TextStyles::system(9, QFont::Bold));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(2);
    row->addWidget(m_symbol);
    row->addWidget(m_level);
    apply();
}

QString ComplianceBadge::level() const { return m_level->text(); }

void ComplianceBadge::setPass(bool pass)
{
    if (m_pass == pass)
        return;
    m_pass = pass;
    apply();
}

void ComplianceBadge::apply()
{
    const QColor color = m_pass ? VerdictColors::pass : VerdictColors::fail;
    applyStyleSheet(this, QStringLiteral("#complianceBadge { background: %1; border: 1px solid %2; border-radius: 4px; }"
                                 "QLabel { color: %3; background: transparent; }")
                      .arg(rgba(color, 0.2), rgba(color, 0.3), color.name()));
    m_symbol->setPixmap(Icons::pixmap(m_pass ? QStringLiteral("check-lg") : QStringLiteral("x-lg"), color, QSize(8, 8),
                                      devicePixelRatioF()));
    setToolTip(m_level->text() + (m_pass ? QStringLiteral(" passes") : QStringLiteral(" fails")));
}
