#include "traybottombar.h"

#include "app/icons.h"
#include "app/textstyles.h"
#include "settings/settingsmanager.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>

namespace {

QToolButton *plainButton(QWidget *parent, const QString &help)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(help);
    button->setIconSize(QSize(14, 14));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

const QColor pinBlue(0x0A, 0x84, 0xFF);
const QColor quitRed(0xFF, 0x3B, 0x30);

} // namespace

TrayBottomBar::TrayBottomBar(SettingsManager &settings, QWidget *parent)
    : QWidget(parent), m_store(settings), m_showWindow(plainButton(this, QString())),
      m_settings(plainButton(this, QStringLiteral("Settings"))),
      m_pin(plainButton(this, QStringLiteral("Always on Top"))), m_quit(plainButton(this, QStringLiteral("Quit")))
{
    m_showWindow->setText(QStringLiteral("Show Window"));
    m_showWindow->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_showWindow->setFont(TextStyles::font(TextStyles::Style::caption));
    m_showWindow->setIconSize(QSize(12, 12));
    // The settings window comes later; until then its button is there but off.
    m_settings->setEnabled(false);
    // Checked mirrors the setting; the click itself flips the setting.
    m_pin->setCheckable(true);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 10, 10, 10);
    row->addWidget(m_showWindow);
    row->addStretch();
    row->addWidget(m_settings);
    row->addWidget(m_pin);
    row->addWidget(m_quit);

    connect(m_showWindow, &QToolButton::clicked, this, &TrayBottomBar::showWindowRequested);
    connect(m_quit, &QToolButton::clicked, this, &TrayBottomBar::quitRequested);
    connect(m_pin, &QToolButton::clicked, this, [this] { m_store.setIsAlwaysOnTop(!m_store.isAlwaysOnTop()); });
    connect(&m_store, &SettingsManager::isAlwaysOnTopChanged, this, &TrayBottomBar::applyIcons);
    applyIcons();
}

void TrayBottomBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyIcons();
}

void TrayBottomBar::applyIcons()
{
    const QColor text = palette().color(QPalette::WindowText);
    QColor disabled = text;
    disabled.setAlphaF(0.35);
    m_showWindow->setIcon(Icons::icon(QStringLiteral("window"), text, QSize(12, 12)));
    m_settings->setIcon(Icons::icon(QStringLiteral("gear"), disabled, QSize(14, 14)));
    const bool onTop = m_store.isAlwaysOnTop();
    m_pin->setChecked(onTop);
    m_pin->setIcon(Icons::icon(onTop ? QStringLiteral("pin-fill") : QStringLiteral("pin"), onTop ? pinBlue : text,
                               QSize(14, 14)));
    m_quit->setIcon(Icons::icon(QStringLiteral("power"), quitRed, QSize(14, 14)));
}
