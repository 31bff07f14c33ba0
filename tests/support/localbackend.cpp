#include "localbackend.h"

#include <QFile>
#include <QProcess>

namespace {

// Starting creates a cluster; generous, since a busy machine runs several test programs at once.
constexpr int scriptTimeoutMs = 180000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LocalBackend::LocalBackend(QStringList serverArguments)
    : serverArguments(std::move(serverArguments))
{
}

LocalBackend::~LocalBackend()
{
    stop();
}

bool LocalBackend::start()
{
    if (!folder.isValid()) {
        error = "cannot create a temporary folder: " + folder.errorString();
        return false;
    }
    QByteArray output;
    started = true; // a half-done start still leaves a cluster to stop
    if (!runScript("start", QStringList{"--"} + serverArguments, &output))
        return false;
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("TINTORA_BACKEND_URL="))
            backendUrl = QUrl(QString::fromUtf8(line.mid(20)));
        else if (line.startsWith("TINTORA_BACKEND_KEY="))
            key = line.mid(20);
    }
    if (!backendUrl.isValid() || key.isEmpty()) {
        error = "the start script printed no address and key: " + QString::fromUtf8(output);
        return false;
    }
    return true;
}

void LocalBackend::stop()
{
    if (!started)
        return;
    started = false;
    QByteArray output;
    runScript("stop", {}, &output);
}

QString LocalBackend::serverLog() const
{
    return QString::fromUtf8(readFile(folder.filePath("server.log")));
}

QByteArray LocalBackend::jwtSecret() const
{
    return readFile(folder.filePath("jwt-secret")).trimmed();
}

quint16 LocalBackend::databasePort() const
{
    return readFile(folder.filePath("postgres.port")).trimmed().toUShort();
}

bool LocalBackend::runScript(const QString &command, const QStringList &extra, QByteArray *output)
{
    QProcess process;
    process.start("bash", QStringList{TINTORA_LOCAL_BACKEND_SCRIPT, command, "--data", folder.path(),
                                      "--bin", TINTORA_LOCAL_BACKEND_BIN}
                              + extra);
    if (!process.waitForFinished(scriptTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        error = QString("local-backend.sh %1 failed: %2").arg(command, process.readAllStandardError());
        process.kill();
        process.waitForFinished();
        return false;
    }
    *output = process.readAllStandardOutput();
    return true;
}
