#include "aboutview.h"

#include "app/icons.h"
#include "app/textstyles.h"
#include "licensesection.h"
#include "platform/desktopservices.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString mitLicense(const QString &copyright)
{
    return copyright + QStringLiteral(
        "\n\nPermission is hereby granted, free of charge, to any person obtaining a copy of this software and "
        "associated documentation files (the \"Software\"), to deal in the Software without restriction, including "
        "without limitation the rights to use, copy, modify, merge, publish, distribute, sublicense, and/or sell "
        "copies of the Software, and to permit persons to whom the Software is furnished to do so, subject to the "
        "following conditions:\n\nThe above copyright notice and this permission notice shall be included in all "
        "copies or substantial portions of the Software.\n\nTHE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF "
        "ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A "
        "PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY "
        "CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF "
        "OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.");
}

// The components Tintora ships, in the order shown.
QList<LicenseSection::Component> components()
{
    return {
        {QStringLiteral("Qt"), QStringLiteral("The Qt Company Ltd. and other contributors"), QStringLiteral("2022"),
         QStringLiteral("LGPLv3"),
         QStringLiteral("The toolkit of every window, the tray icon, the clipboard and the network access."),
         QStringLiteral("Qt is used under the GNU Lesser General Public License version 3, published at "
                        "https://www.gnu.org/licenses/lgpl-3.0.html; Qt's own sources are available from "
                        "https://download.qt.io.")},
        {QStringLiteral("Little CMS"), QStringLiteral("Marti Maria Saguer"), QStringLiteral("1998-2022"),
         QStringLiteral("MIT"), QStringLiteral("Converts colours to Lab and CMYK through ICC profiles."),
         mitLicense(QStringLiteral("Little CMS\nCopyright (c) 1998-2022 Marti Maria Saguer"))},
        {QStringLiteral("color-name-list"), QStringLiteral("David Aerne"), QStringLiteral("2017"),
         QStringLiteral("MIT"), QStringLiteral("The list of colour names behind the nearest-name search."),
         mitLicense(QStringLiteral("Copyright (c) 2017 David Aerne"))},
        {QStringLiteral("Bootstrap Icons"), QStringLiteral("The Bootstrap Authors"), QStringLiteral("2019-2024"),
         QStringLiteral("MIT"), QStringLiteral("The symbols on the buttons and in the tray."),
         mitLicense(QStringLiteral("Copyright (c) 2019-2024 The Bootstrap Authors"))},
    };
}

QFrame *divider()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

QLabel *secondaryCaption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setFont(TextStyles::font(TextStyles::Style::caption));
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

AboutView::AboutView(const QString &version, const QString &build, const AppLinks &links, DesktopServices &desktop,
                     QWidget *parent)
    : QWidget(parent),
      m_versionText(QStringLiteral("Version %1 (%2)")
                        .arg(version.isEmpty() ? QStringLiteral("1.0") : version,
                             build.isEmpty() ? QStringLiteral("1") : build)),
      m_licensesToggle(new QToolButton(this)), m_licenses(new QScrollArea(this)),
      m_close(new QPushButton(QStringLiteral("Close"), this))
{
    setFixedSize(450, 580);

    auto *icon = new QLabel(this);
    icon->setPixmap(Icons::appIcon(QSize(80, 80), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Tintora"), this);
    title->setFont(TextStyles::system(24, QFont::Bold));
    title->setAlignment(Qt::AlignCenter);

    auto *tagline = new QLabel(QStringLiteral("The Ultimate Color Tool for Linux"), this);
    tagline->setFont(TextStyles::font(TextStyles::Style::headline));
    tagline->setAlignment(Qt::AlignCenter);

    auto *linkRow = new QHBoxLayout;
    linkRow->setSpacing(16);
    linkRow->addStretch();
    const std::pair<QString, QUrl> linkTargets[] = {{QStringLiteral("Website"), links.website},
                                                    {QStringLiteral("Privacy Policy"), links.privacyPolicy},
                                                    {QStringLiteral("Terms of Service"), links.termsOfService}};
    for (const auto &[text, url] : linkTargets) {
        auto *link = new QPushButton(text, this);
        link->setFlat(true);
        link->setFocusPolicy(Qt::NoFocus);
        link->setAutoDefault(false);
        link->setCursor(Qt::PointingHandCursor);
        link->setFont(TextStyles::font(TextStyles::Style::caption));
        link->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); border: none; padding: 0; }"));
        connect(link, &QPushButton::clicked, this, [&desktop, url] {
            if (url.isValid() && !url.isEmpty())
                desktop.openUrl(url);
        });
        m_links << link;
        linkRow->addWidget(link);
    }
    linkRow->addStretch();

    auto *top = new QVBoxLayout;
    top->setContentsMargins(20, 20, 20, 0);
    top->setSpacing(12);
    auto *header = new QVBoxLayout;
    header->setSpacing(12);
    header->addWidget(icon);
    header->addWidget(title);
    header->addWidget(secondaryCaption(m_versionText));
    top->addLayout(header);
    top->addWidget(divider());
    auto *taglineBlock = new QVBoxLayout;
    taglineBlock->setSpacing(8);
    taglineBlock->addWidget(tagline);
    taglineBlock->addWidget(secondaryCaption(QStringLiteral(
        "Stay in the flow. Tintora is a lightning-fast, native color picker and contrast checker designed for "
        "modern designers and developers.")));
    top->addLayout(taglineBlock);
    top->addWidget(divider());
    auto *legal = new QVBoxLayout;
    legal->setSpacing(8);
    legal->addWidget(secondaryCaption(QStringLiteral("\u00A9 2026 Tintora. Free software, provided as is.")));
    legal->addLayout(linkRow);
    top->addLayout(legal);
    top->addWidget(divider());

    m_licensesToggle->setText(QStringLiteral("Open Source Licenses"));
    m_licensesToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_licensesToggle->setAutoRaise(true);
    m_licensesToggle->setFocusPolicy(Qt::NoFocus);
    m_licensesToggle->setIconSize(QSize(10, 10));

    auto *sections = new QWidget;
    auto *sectionColumn = new QVBoxLayout(sections);
    sectionColumn->setContentsMargins(12, 12, 12, 12);
    sectionColumn->setSpacing(12);
    for (const LicenseSection::Component &component : components()) {
        auto *section = new LicenseSection(component);
        connect(section, &LicenseSection::toggled, this, &AboutView::fitLicenseList);
        m_sections << section;
        sectionColumn->addWidget(section);
    }
    QScrollArea *scroll = m_licenses;
    scroll->setWidget(sections);
    scroll->setWidgetResizable(true);
    scroll->setMaximumHeight(180);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setObjectName(QStringLiteral("licenses"));
    scroll->setStyleSheet(QStringLiteral("#licenses { background: transparent; border-radius: 8px; }"));
    scroll->hide();

    auto *licenceBlock = new QVBoxLayout;
    licenceBlock->setContentsMargins(20, 8, 20, 0);
    licenceBlock->addWidget(m_licensesToggle, 0, Qt::AlignLeft);
    licenceBlock->addWidget(m_licenses);

    m_close->setDefault(true);
    m_close->setFocusPolicy(Qt::NoFocus);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 20);
    column->setSpacing(0);
    column->addLayout(top);
    column->addLayout(licenceBlock);
    column->addStretch();
    column->addWidget(m_close, 0, Qt::AlignHCenter);

    connect(m_licensesToggle, &QToolButton::clicked, this, [this] { setShowingLicenses(!showingLicenses()); });
    connect(m_close, &QPushButton::clicked, this, &AboutView::closeRequested);
    setShowingLicenses(false);
}

QString AboutView::versionText() const { return m_versionText; }

bool AboutView::showingLicenses() const { return !m_licenses->isHidden(); }

void AboutView::setShowingLicenses(bool showing)
{
    m_licenses->setVisible(showing);
    fitLicenseList();
    m_licensesToggle->setIcon(Icons::icon(showing ? QStringLiteral("chevron-down") : QStringLiteral("chevron-right"),
                                          palette().color(QPalette::WindowText), QSize(10, 10)));
}

void AboutView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitLicenseList();
}

void AboutView::fitLicenseList()
{
    QWidget *list = m_licenses->widget();
    list->setMinimumHeight(list->layout()->heightForWidth(m_licenses->viewport()->width()));
}
