#pragma once

#include <QAbstractHttpServer>

class ApiRouter;

// The HTTP side: answers CORS preflights, hands every other request to the router, adds the
// CORS headers, and logs one line per request without tokens or passwords.
class BackendServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    explicit BackendServer(const ApiRouter &router, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    // Unreachable: handleRequest accepts every request.
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    const ApiRouter &router;
};
