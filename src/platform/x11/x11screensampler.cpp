#include "x11screensampler.h"

#include "magnifierwindow.h"
#include "platform/log.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

// Positions arrive divided by the device pixel ratio; the tolerance undoes
// the rounding of that division.
QPoint devicePixel(const QPointF &logical, qreal ratio)
{
    return {int(std::floor(logical.x() * ratio + 1e-6)), int(std::floor(logical.y() * ratio + 1e-6))};
}

constexpr int grabAttempts = 50;
constexpr int grabRetryMs = 20;

} // namespace

X11ScreenSampler::X11ScreenSampler(QObject *parent) : ScreenSampler(parent) {}

X11ScreenSampler::~X11ScreenSampler()
{
    if (m_open)
        releaseInput();
}

void X11ScreenSampler::show(std::function<void(std::optional<ColorValue>)> done)
{
    if (m_open || !m_windows.empty())
        return;
    m_done = std::move(done);
    m_open = true;
    // Capture everything before any window of ours covers it.
    std::vector<std::pair<QScreen *, QImage>> captures;
    for (QScreen *screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage();
        if (image.isNull())
            Log::failure(QStringLiteral("X11ScreenSampler: could not capture the screen ") + screen->name());
        else
            captures.emplace_back(screen, std::move(image));
    }
    if (captures.empty()) {
        // Nothing to pick from: a colour made up here would be a wrong one.
        finish(std::nullopt);
        return;
    }
    for (auto &[screen, image] : captures) {
        auto window = std::make_unique<MagnifierWindow>(screen, image);
        connect(window.get(), &MagnifierWindow::pointerMoved, this, &X11ScreenSampler::pointerMoved);
        connect(window.get(), &MagnifierWindow::pressed, this, [this](Qt::MouseButton button, const QPointF &at) {
            if (button == Qt::LeftButton) {
                // The pixel the loupe shows: after arrow keys the click may
                // still carry the place the pointer had before our warp.
                if (m_pendingWarps.isEmpty())
                    pointerMoved(at);
                finish(colorUnderLoupe());
            } else if (button == Qt::RightButton) {
                finish(std::nullopt);
            }
        });
        m_windows.push_back(std::move(window));
    }
    pointerMoved(QCursor::pos());
    for (const auto &window : m_windows)
        window->show();
    // Keys reach whichever window of the application has the focus; they are
    // all meant for the magnifier while it is open.
    qApp->installEventFilter(this);
    m_grabber = m_position.window ? m_position.window : m_windows.front().get();
    grabInput(grabAttempts);
}

void X11ScreenSampler::grabInput(int attemptsLeft)
{
    if (!m_open)
        return;
    QWindow *window = m_grabber->windowHandle();
    window->requestActivate();
    const bool keyboard = window->setKeyboardGrabEnabled(true);
    const bool pointer = window->setMouseGrabEnabled(true);
    // Another program may hold a grab for a moment (a menu, a key still
    // down): try again shortly, and go on without if it never ends.
    if ((!keyboard || !pointer) && attemptsLeft > 1)
        QTimer::singleShot(grabRetryMs, this, [this, attemptsLeft] { grabInput(attemptsLeft - 1); });
}

void X11ScreenSampler::releaseInput()
{
    qApp->removeEventFilter(this);
    if (m_grabber && m_grabber->windowHandle()) {
        m_grabber->windowHandle()->setKeyboardGrabEnabled(false);
        m_grabber->windowHandle()->setMouseGrabEnabled(false);
    }
}

void X11ScreenSampler::pointerMoved(const QPointF &globalPosition)
{
    // The moves our own warps cause (several may come as one) are not the
    // user's: the loupe is there already.
    const qsizetype warp = m_pendingWarps.indexOf(globalPosition.toPoint());
    if (warp >= 0) {
        m_pendingWarps.remove(0, warp + 1);
        return;
    }
    m_pendingWarps.clear();
    for (const auto &window : m_windows) {
        const QRect area = window->geometry();
        if (area.contains(globalPosition.toPoint())) {
            const QPoint pixel = devicePixel(globalPosition - area.topLeft(), window->devicePixelRatioF());
            placeLoupe({window.get(), pixel});
            return;
        }
    }
}

std::optional<ColorValue> X11ScreenSampler::colorUnderLoupe() const
{
    if (!m_position.window)
        return std::nullopt;
    return m_position.window->colorAt(m_position.pixel);
}

void X11ScreenSampler::placeLoupe(const Position &position)
{
    for (const auto &window : m_windows) {
        window->setLoupe(window.get() == position.window ? std::optional(position.pixel) : std::nullopt);
    }
    m_position = position;
}

void X11ScreenSampler::moveBy(int dx, int dy)
{
    if (!m_position.window)
        return;
    MagnifierWindow *window = m_position.window;
    const QRect pixels = window->pixelRect();
    const QPoint pixel(std::clamp(m_position.pixel.x() + dx, pixels.left(), pixels.right()),
                       std::clamp(m_position.pixel.y() + dy, pixels.top(), pixels.bottom()));
    placeLoupe({window, pixel});
    // The logical point that holds the pixel's centre.
    const QPointF centre = (QPointF(pixel) + QPointF(0.5, 0.5)) / window->devicePixelRatioF();
    const QPoint target = window->geometry().topLeft() + QPoint(int(std::floor(centre.x())), int(std::floor(centre.y())));
    m_pendingWarps << target;
    QCursor::setPos(window->screen(), target);
}

bool X11ScreenSampler::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Escape: finish(std::nullopt); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: finish(colorUnderLoupe()); break;
    case Qt::Key_Left: moveBy(-1, 0); break;
    case Qt::Key_Right: moveBy(1, 0); break;
    case Qt::Key_Up: moveBy(0, -1); break;
    case Qt::Key_Down: moveBy(0, 1); break;
    default: break;
    }
    return true;
}

void X11ScreenSampler::finish(std::optional<ColorValue> color)
{
    if (!m_open)
        return;
    m_open = false;
    releaseInput();
    for (const auto &window : m_windows)
        window->hide();
    // The answer goes out from the event loop: its receiver may delete this
    // sampler, which must not happen inside one of its windows' handlers.
    QTimer::singleShot(0, this, [this, color] {
        m_windows.clear();
        auto done = std::exchange(m_done, {});
        if (done)
            done(color);
    });
}
