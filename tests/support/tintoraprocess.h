#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

// What a run of the command line left behind.
struct TintoraRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built tintora beside the test with `input` on its standard input.
// The event loop keeps turning meanwhile, so an instance living in the test
// process can answer it.
inline TintoraRun runTintora(const QStringList &arguments, const QByteArray &input = {},
                             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tintora"), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}
