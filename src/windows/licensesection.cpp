#include "licensesection.h"

#include "app/icons.h"
#include "app/textstyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

LicenseSection::LicenseSection(const Component &component, QWidget *parent)
    : QWidget(parent), m_name(component.name), m_chevron(new QToolButton(this)),
      m_licenseText(new QLabel(component.licenseText, this))
{
    setObjectName(QStringLiteral("licenseSection"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#licenseSection { background: palette(alternate-base); border-radius: 8px; }"
                                 "#licenseText { background: palette(base); border-radius: 4px; padding: 8px; }"));

    auto *name = new QLabel(component.name, this);
    name->setFont(TextStyles::font(TextStyles::Style::headline));
    auto *notice = new QLabel(QStringLiteral("\u00A9 %1 %2 \u2022 %3").arg(component.year, component.author,
                                                                         component.licenseType),
                              this);
    notice->setFont(TextStyles::font(TextStyles::Style::caption));
    notice->setForegroundRole(QPalette::PlaceholderText);
    auto *description = new QLabel(component.description, this);
    description->setFont(TextStyles::font(TextStyles::Style::caption));
    description->setForegroundRole(QPalette::PlaceholderText);
    description->setWordWrap(true);

    m_chevron->setAutoRaise(true);
    m_chevron->setFocusPolicy(Qt::NoFocus);
    m_chevron->setIconSize(QSize(10, 10));
    m_licenseText->setObjectName(QStringLiteral("licenseText"));
    m_licenseText->setFont(TextStyles::monospaced(10));
    m_licenseText->setForegroundRole(QPalette::PlaceholderText);
    m_licenseText->setWordWrap(true);
    m_licenseText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_licenseText->hide();

    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(name);
    titles->addWidget(notice);
    auto *header = new QHBoxLayout;
    header->addLayout(titles);
    header->addStretch();
    header->addWidget(m_chevron, 0, Qt::AlignTop);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(8);
    column->addLayout(header);
    column->addWidget(description);
    column->addWidget(m_licenseText);

    connect(m_chevron, &QToolButton::clicked, this, &LicenseSection::toggle);
    m_chevron->setIcon(Icons::icon(QStringLiteral("chevron-down"), palette().color(QPalette::WindowText), QSize(10, 10)));
}

void LicenseSection::toggle()
{
    m_expanded = !m_expanded;
    m_licenseText->setVisible(m_expanded);
    m_chevron->setIcon(Icons::icon(m_expanded ? QStringLiteral("chevron-up") : QStringLiteral("chevron-down"),
                                   palette().color(QPalette::WindowText), QSize(10, 10)));
    emit toggled();
}
