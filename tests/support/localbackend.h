#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// A fresh local backend for one test program: its own PostgreSQL cluster and tintora-backend in a
// temporary folder, started and stopped through scripts/local-backend.sh. Stopping also happens on
// destruction, so a failing test still leaves nothing running.
//
//     LocalBackend backend;                      // or LocalBackend({"--require-confirmation"})
//     QVERIFY2(backend.start(), qPrintable(backend.errorString()));
//     ... backend.url(), backend.anonKey() ...
class LocalBackend
{
public:
    explicit LocalBackend(QStringList serverArguments = {});
    ~LocalBackend();
    LocalBackend(const LocalBackend &) = delete;
    LocalBackend &operator=(const LocalBackend &) = delete;

    bool start();
    void stop();

    QUrl url() const { return backendUrl; }
    QByteArray anonKey() const { return key; }
    QString errorString() const { return error; }
    // From the data folder: the server's log and the installation's token-signing secret.
    QString serverLog() const;
    QByteArray jwtSecret() const;
    // The port of the cluster's own listener.
    quint16 databasePort() const;

private:
    bool runScript(const QString &command, const QStringList &extra, QByteArray *output);

    QStringList serverArguments;
    QTemporaryDir folder;
    QUrl backendUrl;
    QByteArray key;
    QString error;
    bool started = false;
};
