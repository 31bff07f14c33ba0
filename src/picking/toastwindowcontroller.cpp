#include "toastwindowcontroller.h"

#include "toastview.h"

#include <QGuiApplication>
#include <QLayout>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QScreen>
#include <QSequentialAnimationGroup>

namespace {

QPropertyAnimation *fade(QWidget *window, qreal from, qreal to, int ms)
{
    auto *animation = new QPropertyAnimation(window, "windowOpacity");
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ms);
    return animation;
}

} // namespace

ToastWindowController &ToastWindowController::shared()
{
    static ToastWindowController instance;
    return instance;
}

void ToastWindowController::closeWindow()
{
    // The animation belongs to the window: stopping and deleting it drops the
    // old toast's pending fade and close, so they cannot reach a newer toast.
    if (m_animation)
        m_animation->stop();
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    m_window = nullptr;
    m_animation = nullptr;
}

void ToastWindowController::show(const QString &hex, const QPoint &at)
{
    closeWindow();

    auto *view = new ToastView(hex);
    // Unmanaged as well: a window manager's frame around the toast would
    // catch the clicks the toast itself lets through.
    view->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                         | Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint | Qt::BypassWindowManagerHint);
    view->setAttribute(Qt::WA_ShowWithoutActivating);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->layout()->activate();
    const QRect pill = view->pillGeometry();

    QScreen *screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const int pillLeft = area.x() + (area.width() - pill.width()) / 2;
        const int pillTop = area.y() + area.height() - bottomOffset - pill.height();
        view->move(pillLeft - pill.x(), pillTop - pill.y());
    } else {
        view->move(at - pill.topLeft());
    }

    view->setWindowOpacity(0);
    view->show();
    m_window = view;

    auto *steps = new QSequentialAnimationGroup(view);
    steps->addAnimation(fade(view, 0, 1, fadeInMs));
    steps->addPause(holdMs);
    steps->addAnimation(fade(view, 1, 0, fadeOutMs));
    connect(steps, &QAbstractAnimation::finished, this, [this, view] {
        if (m_window == view)
            closeWindow();
    });
    m_animation = steps;
    steps->start();
}
