#pragma once

#include "platform/screensampler.h"

#include <QList>
#include <QPoint>
#include <memory>
#include <vector>

class MagnifierWindow;

// The magnifier on X11: every screen is captured once and shown frozen, one
// full-screen window each, with the loupe under the pointer. Arrow keys move
// the pointer one pixel; a left click (or Return) picks, Escape or a right
// click cancels. The colour is read from the capture, so it is exact.
// Keyboard and pointer are grabbed while it is open.
class X11ScreenSampler : public ScreenSampler
{
    Q_OBJECT

public:
    explicit X11ScreenSampler(QObject *parent = nullptr);
    // Closes a magnifier still open, without an answer.
    ~X11ScreenSampler() override;

    void show(std::function<void(std::optional<ColorValue>)> done) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The loupe's place: a screen and a device pixel on it.
    struct Position {
        MagnifierWindow *window = nullptr;
        QPoint pixel;
    };

    void pointerMoved(const QPointF &globalPosition);
    void moveBy(int dx, int dy);
    void placeLoupe(const Position &position);
    std::optional<ColorValue> colorUnderLoupe() const;
    void grabInput(int attemptsLeft);
    void releaseInput();
    void finish(std::optional<ColorValue> color);

    std::vector<std::unique_ptr<MagnifierWindow>> m_windows;
    MagnifierWindow *m_grabber = nullptr;
    Position m_position;
    // Where arrow keys put the pointer, oldest first, until the moves they
    // cause arrive.
    QList<QPoint> m_pendingWarps;
    std::function<void(std::optional<ColorValue>)> m_done;
    bool m_open = false;
};
