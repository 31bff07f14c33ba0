#pragma once

#include <QObject>
#include <QPoint>
#include <QAbstractAnimation>
#include <QPointer>


#include "toastview.h"

// Owns the one copy toast: it fades in at the bottom centre of the screen the
// pointer is on, stays two seconds and fades out. It never takes the focus and
// lets clicks through. A new toast replaces the current one at once, together
// with whatever the old one still had to do.
class ToastWindowController : public QObject
{
    Q_OBJECT

public:
    static constexpr int fadeInMs = 300;
    static constexpr int holdMs = 2000;
    static constexpr int fadeOutMs = 300;
    // Distance of the toast above the bottom of the usable screen area.
    static constexpr int bottomOffset = 60;

    static ToastWindowController &shared();

    // `at` in global coordinates, normally the pointer when the copy happened.
    void show(const QString &hex, const QPoint &at);

    // The toast on screen, if any.
    ToastView *window() const { return m_window; }
    // Its fade-in, hold and fade-out, while they run.
    QAbstractAnimation *animation() const { return m_animation; }

private:
    void closeWindow();

    QPointer<ToastView> m_window;
    QPointer<QAbstractAnimation> m_animation;
};
