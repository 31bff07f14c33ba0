#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One Tintora per user: the running instance listens on a local socket, and a
// second start (or the command line) hands it a request instead of starting
// anew. A request is one line; the instance answers "ok" or "refused".
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Answer {
        none,     // no instance answered
        accepted,
        refused,  // an instance answered but did not take the request
    };

    explicit SingleInstance(QObject *parent = nullptr);
    explicit SingleInstance(const QString &serverName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR/tintora.socket, or /tmp/tintora-UID.socket without a
    // runtime folder.
    static QString defaultServerName();
    QString serverName() const { return m_serverName; }

    // Starts answering requests. False when another instance answers on the
    // name already; a socket left behind by a process that died is replaced.
    bool listen();

    // Requests to the running instance; they wait at most `timeoutMs`.
    static Answer requestReopen(const QString &serverName = defaultServerName(), int timeoutMs = 2000);
    // `name` is one of the twelve shortcut names; one with a line break is
    // refused without being sent.
    static Answer requestAction(const QString &name, const QString &serverName = defaultServerName(),
                                int timeoutMs = 2000);
    static Answer announceShortcutsChanged(const QString &serverName = defaultServerName(), int timeoutMs = 2000);

signals:
    void reopenRequested();
    void actionRequested(const QString &name);
    // The stored key combinations changed on disk.
    void shortcutsChanged();

private:
    static Answer send(const QByteArray &request, const QString &serverName, int timeoutMs);
    void serve(QLocalSocket *socket);
    bool handle(const QByteArray &request);

    QString m_serverName;
    QLocalServer *m_server = nullptr;
};
