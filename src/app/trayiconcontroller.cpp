#include "trayiconcontroller.h"

#include "icons.h"
#include "main/trayview.h"
#include "picking/colorpickerlogic.h"
#include "settings/settingsmanager.h"
#include "themecolors.h"
#include "traypanel.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QVBoxLayout>

namespace {

// The foreground as a rounded tile, edged so it shows on any panel colour.
QIcon colorTile(const ColorValue &color)
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal inset = side / 8.0;
        QPainterPath tile;
        tile.addRoundedRect(QRectF(inset, inset, side - 2 * inset, side - 2 * inset), side / 5.0, side / 5.0);
        painter.fillPath(tile, toQColor(color));
        painter.setPen(QPen(color.isLight() ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 140), side / 16.0));
        painter.drawPath(tile);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

TrayIconController::TrayIconController(SettingsManager &settings, ColorPickerLogic &logic, DesktopServices &desktop,
                                       QObject *parent)
    : QObject(parent), m_settings(settings), m_logic(logic), m_desktop(desktop), m_tray(new QSystemTrayIcon(this)),
      m_menu(new QMenu)
{
    m_menu->addAction(QStringLiteral("Show Window"), this, &TrayIconController::showWindowRequested);
    // The settings window comes later.
    m_menu->addAction(QStringLiteral("Settings"))->setEnabled(false);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("About Tintora"), this, &TrayIconController::aboutRequested);
    m_menu->addAction(QStringLiteral("Tintora Help"), this, &TrayIconController::helpRequested);
    m_menu->addAction(QStringLiteral("Check for Updates..."), this, &TrayIconController::checkForUpdatesRequested);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Quit"), this, &TrayIconController::quitRequested);
    m_tray->setContextMenu(m_menu);

    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // Two quick clicks are two toggles, not one lost click.
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            togglePanel();
    });
    connect(&m_logic, &ColorPickerLogic::foregroundHexChanged, this, &TrayIconController::updateIcon);
    connect(&m_settings, &SettingsManager::trayIconStyleChanged, this, &TrayIconController::updateIcon);
    updateIcon();
    m_tray->show();
}

TrayIconController::~TrayIconController()
{
    delete m_panel;
    delete m_menu;
}

bool TrayIconController::showsHex() const { return m_settings.trayIconStyle() == TrayIconStyle::hex; }

QString TrayIconController::hexLabel() const
{
    const QString hex = m_logic.foregroundHex();
    if (hex.isEmpty())
        return QStringLiteral("#FFFFFF");
    return hex.startsWith(u'#') ? hex : u'#' + hex;
}

void TrayIconController::updateIcon()
{
    if (showsHex()) {
        m_tray->setIcon(colorTile(ColorValue::fromHexOrBlack(hexLabel())));
        m_tray->setToolTip(hexLabel());
    } else {
        m_tray->setIcon(Icons::icon(QStringLiteral("eyedropper"), QGuiApplication::palette().color(QPalette::WindowText),
                                    QSize(22, 22)));
        m_tray->setToolTip(QStringLiteral("Tintora"));
    }
}

void TrayIconController::togglePanel()
{
    if (m_panel && m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    createPanel();
    placePanel();
    m_panel->show();
}

void TrayIconController::createPanel()
{
    if (m_panel)
        return;
    m_panel = new TrayPanel;
    m_panelView = new TrayView(m_settings, m_logic, m_desktop, m_panel);
    auto *layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panelView);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_panelView, &TrayView::showWindowRequested, this, [this] {
        m_panel->hide();
        emit showWindowRequested();
    });
    connect(m_panelView, &TrayView::keyboardWanted, m_panel, &TrayPanel::activateForTyping);
    connect(m_panelView, &TrayView::quitRequested, this, &TrayIconController::quitRequested);
}

void TrayIconController::placePanel()
{
    m_panel->adjustSize();
    const QSize size = m_panel->size();
    QRect icon = m_tray->geometry();
    if (!icon.isValid())
        icon = QRect(QCursor::pos(), QSize(1, 1));
    QScreen *screen = QGuiApplication::screenAt(icon.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), size);
    // Under the icon when it sits in the upper half of the screen, else above it.
    QPoint position(icon.center().x() - size.width() / 2,
                    icon.center().y() < area.center().y() ? icon.bottom() + 1 : icon.top() - size.height());
    position.setX(std::clamp(position.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    position.setY(std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    m_panel->move(position);
}
