#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QString>
#include <QUrl>

class LocalBackend;

struct HttpReply
{
    int status = 0;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;

    QJsonObject object() const;
    QJsonArray array() const;
    QByteArray header(const QByteArray &name) const;
};

// Blocking HTTP calls for tests: each waits for its answer in a local event loop.
class BackendHttp
{
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    explicit BackendHttp(const LocalBackend &backend);

    // With the anon key, and with the access token when one is given.
    HttpReply get(const QString &target, const QByteArray &accessToken = {});
    HttpReply post(const QString &target, const QByteArray &body, const QByteArray &accessToken = {},
                   const Headers &extraHeaders = {});
    // Exactly the headers given, nothing added.
    HttpReply send(const QByteArray &method, const QString &target, const QByteArray &body,
                   const Headers &headers);

    HttpReply signUp(const QString &email, const QString &password);
    // A session from the password grant; fails the calling test when there is none.
    QJsonObject signIn(const QString &email, const QString &password);

private:
    Headers standardHeaders(const QByteArray &accessToken) const;

    QUrl base;
    QByteArray key;
    QNetworkAccessManager network;
};

QByteArray json(const QJsonObject &object);
// The claims of a token, read without checking its signature.
QJsonObject tokenClaims(const QByteArray &token);
