#pragma once

#include <QPoint>
#include <QProcess>
#include <QTest>

// Runs a desktop tool (xdotool, xclip) to its end while this process keeps
// serving the X server, as the tool may wait on us (a clipboard read, an
// input grab). Its standard output, or nothing when it failed.
inline std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted())
        return std::nullopt;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

// xdotool with these arguments; whether it succeeded.
inline bool xdotool(const QStringList &arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}

// The window the window manager calls active, and the one with the X input
// focus (they differ while a window takes the keyboard without being
// activated); empty when xdotool cannot say.
inline QString activeWindow()
{
    const auto active = runTool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
    return active ? QString::fromUtf8(active->trimmed()) : QString();
}

inline QString focusedWindow()
{
    const auto focused = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")});
    return focused ? QString::fromUtf8(focused->trimmed()) : QString();
}

// The xdotool arguments that move the pointer to a point of the screen and
// click its left button there.
inline QStringList clickArguments(QPoint point)
{
    return {QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()),
            QStringLiteral("click"), QStringLiteral("1")};
}

inline bool clickAt(QPoint point) { return xdotool(clickArguments(point)); }
