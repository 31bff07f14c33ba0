#include "backendserver.h"

#include "apirouter.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QHttpServerResponse>
#include <QMetaEnum>
#include <QUrlQuery>

namespace {

// Query parameters whose values are safe to log; every other value (tokens) is masked.
const QStringList loggedParameters{"grant_type", "type", "scope", "select", "on_conflict", "id"};

QString loggedTarget(const QUrl &url)
{
    QUrlQuery query(url);
    QUrlQuery logged;
    for (const auto &[name, value] : query.queryItems()) {
        logged.addQueryItem(name, loggedParameters.contains(name) ? value : QString("***"));
    }
    const QString text = logged.toString();
    return url.path() + (text.isEmpty() ? QString() : '?' + text);
}

QByteArray methodName(QHttpServerRequest::Method method)
{
    return QByteArray(QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(
                          static_cast<int>(method)))
        .toUpper();
}

void addCorsHeaders(QHttpServerResponse &response)
{
    response.setHeader("Access-Control-Allow-Origin", "*");
    response.setHeader("Access-Control-Allow-Headers",
                       "authorization, x-client-info, apikey, content-type, prefer");
    response.setHeader("Access-Control-Allow-Methods", "GET, POST, OPTIONS");
}

} // namespace

BackendServer::BackendServer(const ApiRouter &router, QObject *parent)
    : QAbstractHttpServer(parent)
    , router(router)
{
}

bool BackendServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QElapsedTimer timer;
    timer.start();
    // A browser's preflight carries no key; it only asks which headers it may send.
    const ApiReply reply = request.method() == QHttpServerRequest::Method::Options
        ? ApiReply{200, "ok", "text/plain"}
        : router.route(request);
    const auto status = static_cast<QHttpServerResponse::StatusCode>(reply.status);
    QHttpServerResponse response = reply.contentType.isEmpty()
        ? QHttpServerResponse(status)
        : QHttpServerResponse(reply.contentType, reply.body, status);
    addCorsHeaders(response);
    response.write(makeResponder(request, socket));
    qInfo().noquote() << methodName(request.method()) << loggedTarget(request.url()) << reply.status
                      << QString("%1 ms").arg(timer.elapsed());
    return true;
}

void BackendServer::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
}
