#include "backendhttp.h"

#include "localbackend.h"

#include <QBuffer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QTest>

QJsonObject HttpReply::object() const
{
    return QJsonDocument::fromJson(body).object();
}

QJsonArray HttpReply::array() const
{
    return QJsonDocument::fromJson(body).array();
}

QByteArray HttpReply::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

BackendHttp::BackendHttp(const LocalBackend &backend)
    : base(backend.url())
    , key(backend.anonKey())
{
    // A safety net against a hung server, not a measurement.
    network.setTransferTimeout(60000);
}

HttpReply BackendHttp::get(const QString &target, const QByteArray &accessToken)
{
    return send("GET", target, {}, standardHeaders(accessToken));
}

HttpReply BackendHttp::post(const QString &target, const QByteArray &body,
                            const QByteArray &accessToken, const Headers &extraHeaders)
{
    return send("POST", target, body, standardHeaders(accessToken) + extraHeaders);
}

HttpReply BackendHttp::send(const QByteArray &method, const QString &target, const QByteArray &body,
                            const Headers &headers)
{
    QNetworkRequest request(base.resolved(QUrl(target)));
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    QBuffer buffer;
    buffer.setData(body);
    QNetworkReply *reply = network.sendCustomRequest(request, method, &buffer);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    HttpReply result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    result.headers = reply->rawHeaderPairs();
    reply->deleteLater();
    return result;
}

HttpReply BackendHttp::signUp(const QString &email, const QString &password)
{
    return post("/auth/v1/signup", json({{"email", email}, {"password", password}}));
}

QJsonObject BackendHttp::signIn(const QString &email, const QString &password)
{
    const HttpReply reply = post("/auth/v1/token?grant_type=password",
                                 json({{"email", email}, {"password", password}}));
    if (reply.status != 200)
        QTest::qFail(qPrintable("sign-in failed: " + QString::fromUtf8(reply.body)), __FILE__, __LINE__);
    return reply.object();
}

BackendHttp::Headers BackendHttp::standardHeaders(const QByteArray &accessToken) const
{
    Headers headers{{"apikey", key}, {"Content-Type", "application/json"}};
    if (!accessToken.isEmpty())
        headers.append({"Authorization", "Bearer " + accessToken});
    return headers;
}

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonObject tokenClaims(const QByteArray &token)
{
    const QList<QByteArray> parts = token.split('.');
    if (parts.size() != 3)
        return {};
    return QJsonDocument::fromJson(QByteArray::fromBase64(parts[1], QByteArray::Base64UrlEncoding))
        .object();
}
