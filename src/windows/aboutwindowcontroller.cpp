#include "aboutwindowcontroller.h"

#include "aboutview.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

AboutWindowController::AboutWindowController(DesktopServices &desktop, QObject *parent)
    : QObject(parent), m_desktop(desktop)
{
}

AboutWindowController::~AboutWindowController() { delete m_window; }

void AboutWindowController::show()
{
    if (!m_window) {
        m_window = new QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        m_window->setObjectName(QStringLiteral("about"));
        m_window->setWindowTitle(QStringLiteral("About Tintora"));
        m_view = new AboutView(QStringLiteral(TINTORA_VERSION), QStringLiteral(TINTORA_BUILD_NUMBER),
                               AppLinks::configured(), m_desktop, m_window);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        connect(m_view, &AboutView::closeRequested, m_window, &QDialog::close);
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            m_window->adjustSize();
            m_window->move(screen->availableGeometry().center() - m_window->rect().center());
        }
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
