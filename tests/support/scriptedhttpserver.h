#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP server on loopback that gives every request the same scripted
// answer, or never answers at all. For answers a real account service never
// gives (a gateway relay error, a hanging server, malformed bodies).
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    struct Answer {
        int status = 200;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
        bool hang = false; // read the request, never answer
    };

    explicit ScriptedHttpServer(QObject *parent = nullptr);

    bool listen();
    QUrl url() const;
    void setAnswer(const Answer &answer) { m_answer = answer; }
    // The raw requests received (head and body).
    const QList<QByteArray> &requests() const { return m_requests; }

private:
    void serve(QTcpSocket *socket);

    QTcpServer m_server;
    Answer m_answer;
    QList<QByteArray> m_requests;
};
