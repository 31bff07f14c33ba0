#include "singleinstance.h"

#include "picking/shortcuttype.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace {

const QByteArray reopenRequest = "reopen";
const QByteArray actionPrefix = "action ";
const QByteArray shortcutsChangedRequest = "shortcutsChanged";
const QByteArray acceptedReply = "ok\n";
const QByteArray refusedReply = "refused\n";
// Requests are a few words; anything longer is not from Tintora.
constexpr qsizetype maxRequestLength = 256;

} // namespace

SingleInstance::SingleInstance(QObject *parent) : SingleInstance(defaultServerName(), parent) {}

SingleInstance::SingleInstance(const QString &serverName, QObject *parent)
    : QObject(parent), m_serverName(serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/tintora.socket");
    return QDir::tempPath() + QStringLiteral("/tintora-%1.socket").arg(::getuid());
}

bool SingleInstance::listen()
{
    if (m_server && m_server->isListening())
        return true;
    // Two instances starting together must not both find the name free and
    // then both listen.
    QLockFile lock(m_serverName + QStringLiteral(".lock"));
    lock.tryLock(2000);

    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    if (probe.waitForConnected(500))
        return false;

    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answers on a socket that is still there: an instance that died
    // left it behind.
    if (!server->listen(m_serverName)
        && !(server->serverError() == QAbstractSocket::AddressInUseError
             && QLocalServer::removeServer(m_serverName) && server->listen(m_serverName))) {
        delete server;
        return false;
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            serve(socket);
    });
    return true;
}

void SingleInstance::serve(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        const qsizetype end = socket->peek(maxRequestLength + 1).indexOf('\n');
        if (end < 0) {
            if (socket->bytesAvailable() > maxRequestLength) {
                socket->write(refusedReply);
                socket->disconnectFromServer();
            }
            return;
        }
        const QByteArray request = socket->read(end + 1).chopped(1);
        // Only one request per connection: what follows is ignored.
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        const bool accepted = handle(request);
        socket->write(accepted ? acceptedReply : refusedReply);
        socket->flush();
        socket->disconnectFromServer();
        if (accepted) {
            if (request == reopenRequest)
                emit reopenRequested();
            else if (request == shortcutsChangedRequest)
                emit shortcutsChanged();
            else
                emit actionRequested(QString::fromUtf8(request.mid(actionPrefix.size())));
        }
    });
}

bool SingleInstance::handle(const QByteArray &request)
{
    if (request == reopenRequest || request == shortcutsChangedRequest)
        return true;
    return request.startsWith(actionPrefix)
        && ShortcutTypes::fromName(QString::fromUtf8(request.mid(actionPrefix.size()))).has_value();
}

SingleInstance::Answer SingleInstance::send(const QByteArray &request, const QString &serverName, int timeoutMs)
{
    // A line break would end the request early and make it another one.
    if (request.contains('\n'))
        return Answer::refused;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return Answer::none;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return Answer::none;
    QByteArray reply;
    while (!reply.contains('\n') && socket.waitForReadyRead(timeoutMs))
        reply += socket.readAll();
    reply += socket.readAll();
    if (reply == acceptedReply)
        return Answer::accepted;
    if (reply == refusedReply)
        return Answer::refused;
    return Answer::none;
}

SingleInstance::Answer SingleInstance::requestReopen(const QString &serverName, int timeoutMs)
{
    return send(reopenRequest, serverName, timeoutMs);
}

SingleInstance::Answer SingleInstance::requestAction(const QString &name, const QString &serverName, int timeoutMs)
{
    return send(actionPrefix + name.toUtf8(), serverName, timeoutMs);
}

SingleInstance::Answer SingleInstance::announceShortcutsChanged(const QString &serverName, int timeoutMs)
{
    return send(shortcutsChangedRequest, serverName, timeoutMs);
}
