#include "mainwindow.h"

#include "account/authmanager.h"
#include "app/icons.h"
#include "app/themecolors.h"
#include "headerbar.h"
#include "loginview.h"
#include "picking/pickedcolor.h"
#include "picking/colorpickerlogic.h"
#include "picksection.h"
#include "platform/desktopservices.h"
#include "platform/screensampler.h"
#include "separatorrule.h"
#include "settings/settingsmanager.h"

#include <QEvent>
#include <QPointer>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QWindow>

MainWindow::MainWindow(SettingsManager &settings, HistoryManager &history, ColorPickerLogic &logic, AuthManager &auth,
                       DesktopServices &desktop, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_history(history), m_logic(logic), m_auth(auth), m_desktop(desktop),
      m_pages(new QStackedLayout(this)), m_layoutPage(new QWidget(this)), m_header(new HeaderBar(settings, auth)),
      m_pick(new PickSection(settings, history, logic)), m_login(new LoginView(auth, this))
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("Tintora"));
    setWindowIcon(Icons::appIcon());
    setAutoFillBackground(true);

    auto *column = new QVBoxLayout(m_layoutPage);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_header);
    column->addWidget(new SeparatorRule);
    column->addWidget(m_pick);
    column->addWidget(new SeparatorRule);
    // The preview, contrast, details, harmonies and My Palette fill this.
    column->addStretch();
    m_pages->addWidget(m_layoutPage);
    m_pages->addWidget(m_login);

    connect(m_pick, &PickSection::pickRequested, this, [this] { pickColor(PickerTarget::foreground); });
    connect(&m_settings, &SettingsManager::showContrastCheckerChanged, this, &MainWindow::applySize);
    connect(&m_settings, &SettingsManager::windowOpacityChanged, this, &MainWindow::applyOpacity);
    connect(&m_settings, &SettingsManager::isAlwaysOnTopChanged, this, &MainWindow::applyAlwaysOnTop);
    connect(&m_settings, &SettingsManager::appThemeChanged, this, &MainWindow::applyTheme);
    connect(&m_settings, &SettingsManager::changed, this, &MainWindow::applyTheme);
    connect(&m_auth, &AuthManager::shouldShowLoginChanged, this, &MainWindow::updatePage);

    applySize();
    applyAlwaysOnTop();
    applyTheme();
    updatePage();
}

bool MainWindow::isShowingLogin() const { return m_pages->currentWidget() == m_login; }

void MainWindow::pickColor(PickerTarget target)
{
    ScreenSampler *sampler = m_desktop.createSampler().release();
    if (!sampler)
        return;
    sampler->setParent(this);
    const QPointer<MainWindow> self(this);
    sampler->show([self, sampler, target](std::optional<ColorValue> color) {
        sampler->deleteLater();
        if (!self || !color)
            return;
        const QPoint at = self->m_desktop.pointerPosition();
        QMetaObject::invokeMethod(
            self,
            [self, target, picked = *color, at] {
                applyPickedColor({self->m_logic, self->m_history, self->m_settings, self->m_desktop}, picked, target,
                                 at);
            },
            Qt::QueuedConnection);
    });
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    applyOpacity();
    applyAlwaysOnTop();
    if (!m_shownOnce) {
        m_shownOnce = true;
        emit contentFirstShown();
    }
}

void MainWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyTheme();
}

void MainWindow::applySize()
{
    setFixedSize(windowWidth, m_settings.showContrastChecker() ? heightWithContrast : heightWithoutContrast);
}

void MainWindow::applyOpacity() { setWindowOpacity(m_settings.windowOpacity()); }

void MainWindow::applyAlwaysOnTop()
{
    const bool onTop = m_settings.isAlwaysOnTop();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the widget's flags would hide and recreate the window; the
    // native window takes the new level in place.
    overrideWindowFlags(windowFlags() ^ Qt::WindowStaysOnTopHint);
    if (QWindow *native = windowHandle())
        native->setFlags(windowFlags());
}

void MainWindow::applyTheme()
{
    const ThemeColors colors = ThemeColors::of(m_settings.appTheme());
    QPalette p = palette();
    p.setColor(QPalette::Window, colors.mainBackground);
    setPalette(p);
    m_header->applyTheme();
    m_pick->applyTheme();
}

void MainWindow::updatePage()
{
    m_pages->setCurrentWidget(m_auth.shouldShowLogin() ? static_cast<QWidget *>(m_login) : m_layoutPage);
}
