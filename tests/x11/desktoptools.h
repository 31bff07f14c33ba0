#pragma once

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
