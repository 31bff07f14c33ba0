#include "toastview.h"

#include "app/textstyles.h"
#include "app/themecolors.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>

ToastView::ToastView(const QString &hexCode, QWidget *parent)
    : QWidget(parent), m_hexCode(hexCode), m_pill(new QWidget(this)), m_label(new QLabel(m_pill))
{
    setAttribute(Qt::WA_TranslucentBackground);

    m_pill->setObjectName(QStringLiteral("toastPill"));
    m_pill->setAttribute(Qt::WA_StyledBackground);
    m_pill->setStyleSheet(QStringLiteral("#toastPill { background: rgba(0, 0, 0, 191); border-radius: 16px; }"));
    auto *shadow = new QGraphicsDropShadowEffect(m_pill);
    shadow->setColor(QColor(0, 0, 0, 77));
    shadow->setBlurRadius(8);
    shadow->setOffset(0, 4);
    m_pill->setGraphicsEffect(shadow);

    auto *dot = new QLabel(m_pill);
    dot->setFixedSize(12, 12);
    dot->setStyleSheet(QStringLiteral("background: %1; border-radius: 6px;")
                           .arg(toQColor(ColorValue::fromHexOrBlack(hexCode)).name()));

    m_label->setText(text());
    // Read out by assistive tools and shown by window lists that list it.
    setWindowTitle(text());
    m_label->setFont(TextStyles::system(14, QFont::Medium));
    m_label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    auto *row = new QHBoxLayout(m_pill);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(6);
    row->addWidget(dot, 0, Qt::AlignVCenter);
    row->addWidget(m_label, 0, Qt::AlignVCenter);

    // Room for the shadow: blur 8 all round, 4 more below for its offset.
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 12);
    outer->addWidget(m_pill);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QString ToastView::text() const { return m_hexCode + QStringLiteral(" loaded."); }

QRect ToastView::pillGeometry() const { return m_pill->geometry(); }
