#include "scriptedhttpserver.h"

#include <QTcpSocket>

ScriptedHttpServer::ScriptedHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    });
}

bool ScriptedHttpServer::listen() { return m_server.listen(QHostAddress::LocalHost); }

QUrl ScriptedHttpServer::url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }

void ScriptedHttpServer::serve(QTcpSocket *socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    qsizetype length = 0;
    for (const QByteArray &line : buffer.left(headEnd).split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < headEnd + 4 + length)
        return;
    socket->setProperty("buffer", QByteArray());
    m_requests << buffer.left(headEnd + 4 + length);
    if (m_answer.hang)
        return;
    QByteArray response = "HTTP/1.1 " + QByteArray::number(m_answer.status) + " Scripted\r\n";
    for (const auto &[name, value] : m_answer.headers)
        response += name + ": " + value + "\r\n";
    response += "Content-Length: " + QByteArray::number(m_answer.body.size()) + "\r\nConnection: close\r\n\r\n";
    response += m_answer.body;
    socket->write(response);
    socket->disconnectFromHost();
}
