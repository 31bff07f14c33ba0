#include "traypanel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

namespace {

// About five seconds of trying.
constexpr int grabAttempts = 250;
constexpr int grabRetryMs = 20;

} // namespace

TrayPanel::TrayPanel(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing it is no reason for the application to end.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    setWindowTitle(QStringLiteral("Tintora"));
    // Another window of ours coming forward (the magnifier, the main window)
    // ends the panel's turn, as it would a menu's; that window may also have
    // taken the pointer from it.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focused) {
        if (focused && focused != windowHandle() && isVisible())
            hide();
    });
}

void TrayPanel::activateForTyping()
{
    setAcceptsFocus(true);
    activateWindow();
}

void TrayPanel::setAcceptsFocus(bool accepts)
{
    // On the native window only: changing a shown widget's flags would hide
    // and recreate it.
    if (QWindow *window = windowHandle())
        window->setFlag(Qt::WindowDoesNotAcceptFocus, !accepts);
}

void TrayPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    setAcceptsFocus(false);
    grabPointer(grabAttempts);
}

void TrayPanel::grabPointer(int attemptsLeft)
{
    // The pointer is held by the native window only: the widgets inside still
    // get their clicks, and clicks anywhere else come to the panel.
    if (!isVisible())
        return;
    // The click that opened the panel ends where it began (the tray icon); a
    // grab taken before its release would leave the icon waiting for it. The
    // window must be on screen as the window manager shows it (a grab taken
    // earlier may be lost while it puts the window in place), and another
    // program may hold the pointer for a moment: try again shortly.
    const bool buttonDown = QGuiApplication::mouseButtons() != Qt::NoButton;
    if (!buttonDown && windowHandle()->isExposed() && windowHandle()->setMouseGrabEnabled(true))
        return;
    if (buttonDown || attemptsLeft > 1) {
        QTimer::singleShot(grabRetryMs, this,
                           [this, attemptsLeft, buttonDown] { grabPointer(buttonDown ? attemptsLeft : attemptsLeft - 1); });
    }
}

void TrayPanel::hideEvent(QHideEvent *event)
{
    if (QWindow *window = windowHandle())
        window->setMouseGrabEnabled(false);
    QWidget::hideEvent(event);
}

void TrayPanel::mousePressEvent(QMouseEvent *event)
{
    // While the pointer is grabbed, a click anywhere else arrives here.
    if (!rect().contains(event->position().toPoint())) {
        hide();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TrayPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
