// Time from the release of a global shortcut to the magnifier on the screen.
// Run on an X server (bench/shortcut-latency.sh starts one): presses the
// shortcut with xdotool, and measures from the release's server time stamp
// to the moment the server has drawn the magnifier's first frame.

#include "platform/desktopservices.h"
#include "platform/globalshortcuts.h"
#include "platform/preferencesstore.h"
#include "platform/screensampler.h"
#include "platform/shortcutstore.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <xcb/xcb.h>

namespace {

constexpr int runs = 21;

// The X server stamps events with its monotonic clock in milliseconds.
qint64 monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Notes the time stamp of every key release the server sends.
class ReleaseClock : public QAbstractNativeEventFilter
{
public:
    xcb_timestamp_t lastRelease = 0;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        auto *event = static_cast<xcb_generic_event_t *>(message);
        if (eventType == "xcb_generic_event_t" && (event->response_type & ~0x80) == XCB_KEY_RELEASE)
            lastRelease = reinterpret_cast<xcb_key_release_event_t *>(event)->time;
        return false;
    }
};

// Calls `shown` once a window has been exposed and its frame has reached the
// server.
class ExposeWatch : public QObject
{
public:
    std::function<void()> shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && shown && qobject_cast<QWindow *>(watched)
            && static_cast<QWindow *>(watched)->isExposed()) {
            // The frame is painted and flushed right after this event.
            QTimer::singleShot(0, this, [this] {
                auto *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
                free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
                if (auto call = std::exchange(shown, {}))
                    call();
            });
        }
        return false;
    }
};

double median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir config;
    PreferencesStore preferences(config.filePath(QStringLiteral("Tintora.conf")));
    ShortcutStore store(preferences);
    store.setCombination(QStringLiteral("foregroundColor"), KeyCombination::fromDisplayText(QStringLiteral("Ctrl+Alt+P")));

    const auto desktop = createDesktopServices();
    const auto shortcuts = desktop->createGlobalShortcuts(store);
    ReleaseClock releases;
    app.installNativeEventFilter(&releases);
    ExposeWatch exposes;
    app.installEventFilter(&exposes);

    std::unique_ptr<ScreenSampler> sampler;
    QList<qint64> latencies;
    std::function<void()> press = [] {
        QProcess::startDetached(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+alt+p")});
    };
    shortcuts->setHandler(QStringLiteral("foregroundColor"), [&] {
        exposes.shown = [&] {
            latencies << monotonicMs() - qint64(releases.lastRelease);
            // Closed again by dropping it, as no answer is wanted.
            QTimer::singleShot(100, &app, [&] {
                sampler.reset();
                if (latencies.size() == runs)
                    app.quit();
                else
                    QTimer::singleShot(150, &app, press);
            });
        };
        sampler = desktop->createSampler();
        sampler->show([](std::optional<ColorValue>) {});
    });

    QTimer::singleShot(300, &app, press);
    QTimer::singleShot(60000, &app, [&] {
        std::fprintf(stderr, "shortcut-latency: gave up after %lld runs\n", qlonglong(latencies.size()));
        app.exit(1);
    });
    if (app.exec() != 0)
        return 1;

    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("Shortcut release to magnifier shown (%dx%d, %d runs): median %.1f ms, first %lld ms, "
                "min %lld ms, max %lld ms\n",
                screen.width(), screen.height(), runs, median(latencies), latencies.first(),
                *std::min_element(latencies.begin(), latencies.end()),
                *std::max_element(latencies.begin(), latencies.end()));
    return 0;
}
