#include "headerbar.h"

#include "account/authmanager.h"
#include "app/icons.h"
#include "app/textstyles.h"
#include "app/themecolors.h"
#include "settings/settingsmanager.h"
#include "app/stylesheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <cmath>

namespace {

QToolButton *symbolButton(QWidget *parent, const QString &help)
{
    auto *button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(help);
    button->setIconSize(QSize(16, 16));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// The slider works in hundredths of the window opacity.
constexpr int sliderScale = 100;

} // namespace

HeaderBar::HeaderBar(SettingsManager &settings, AuthManager &auth, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_auth(auth), m_signIn(new QPushButton(QStringLiteral("Sign In"), this)),
      m_opacity(new QSlider(Qt::Horizontal, this)), m_pin(symbolButton(this, QStringLiteral("Always on Top"))),
      m_floatingPalette(symbolButton(this, QStringLiteral("Floating Palette"))),
      m_settingsButton(symbolButton(this, QStringLiteral("Settings")))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *icon = new QLabel(this);
    icon->setPixmap(Icons::appIcon(QSize(32, 32), devicePixelRatioF()));
    icon->setFixedSize(32, 32);

    m_signIn->setFont(TextStyles::system(10, QFont::Bold));
    m_signIn->setFocusPolicy(Qt::NoFocus);
    m_signIn->setCursor(Qt::PointingHandCursor);

    m_opacity->setRange(int(0.2 * sliderScale), sliderScale);
    m_opacity->setFixedWidth(80);
    m_opacity->setFocusPolicy(Qt::NoFocus);
    m_opacity->setToolTip(QStringLiteral("Window Opacity"));

    m_pin->setCheckable(true);
    // The floating palette and the settings window come later: shown, but off.
    m_floatingPalette->setEnabled(false);
    m_settingsButton->setEnabled(false);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(0);
    row->addWidget(icon);
    row->addSpacing(10);
    row->addWidget(m_signIn);
    row->addStretch();
    row->addWidget(m_opacity);
    row->addSpacing(12);
    row->addWidget(m_pin);
    row->addSpacing(8);
    row->addWidget(m_floatingPalette);
    row->addSpacing(8);
    row->addWidget(m_settingsButton);

    connect(m_signIn, &QPushButton::clicked, this, [this] { m_auth.setShouldShowLogin(true); });
    connect(m_opacity, &QSlider::valueChanged, this, [this](int value) {
        const double opacity = double(value) / sliderScale;
        if (std::lround(m_settings.windowOpacity() * sliderScale) != value)
            m_settings.setWindowOpacity(opacity);
    });
    connect(m_pin, &QToolButton::clicked, this, [this] { m_settings.setIsAlwaysOnTop(!m_settings.isAlwaysOnTop()); });
    connect(&m_settings, &SettingsManager::windowOpacityChanged, this, &HeaderBar::updateOpacity);
    connect(&m_settings, &SettingsManager::isAlwaysOnTopChanged, this, &HeaderBar::updateIcons);
    connect(&m_settings, &SettingsManager::isFloatingPaletteVisibleChanged, this, &HeaderBar::updateIcons);
    connect(&m_auth, &AuthManager::sessionChanged, this, &HeaderBar::updateSignIn);
    updateSignIn();
    updateOpacity();
}

void HeaderBar::applyTheme()
{
    const QColor accent = ThemeColors::of(m_settings.appTheme()).accent;
    QColor wash = accent;
    wash.setAlphaF(0.1);
    applyStyleSheet(m_signIn, QStringLiteral("QPushButton { color: %1; background: %2; border: none; border-radius: 6px;"
                                           " padding: 4px 8px; }")
                                .arg(accent.name(), wash.name(QColor::HexArgb)));
    QPalette p = m_opacity->palette();
    p.setColor(QPalette::Highlight, accent);
    m_opacity->setPalette(p);
    updateIcons();
}

void HeaderBar::updateSignIn() { m_signIn->setVisible(!m_auth.session().has_value()); }

void HeaderBar::updateOpacity()
{
    const QSignalBlocker blocker(m_opacity);
    m_opacity->setValue(int(std::lround(m_settings.windowOpacity() * sliderScale)));
}

void HeaderBar::updateIcons()
{
    const ThemeColors colors = ThemeColors::of(m_settings.appTheme());
    const QColor secondary = colors.secondaryText;
    const bool onTop = m_settings.isAlwaysOnTop();
    m_pin->setChecked(onTop);
    m_pin->setIcon(Icons::icon(onTop ? QStringLiteral("pin-fill") : QStringLiteral("pin"),
                               onTop ? colors.accent : secondary, QSize(16, 16)));
    m_floatingPalette->setIcon(Icons::icon(QStringLiteral("copy"),
                                           m_settings.isFloatingPaletteVisible() ? colors.accent : secondary,
                                           QSize(16, 16)));
    m_settingsButton->setIcon(Icons::icon(QStringLiteral("gear"), secondary, QSize(16, 16)));
}
