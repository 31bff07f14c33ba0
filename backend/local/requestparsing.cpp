#include "requestparsing.h"

#include <QHttpServerRequest>
#include <QJsonDocument>

QByteArray RequestParsing::header(const QHttpServerRequest &request, QByteArrayView name)
{
    for (const auto &[key, value] : request.headers()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value.trimmed();
    }
    return {};
}

QByteArray RequestParsing::bearerToken(const QHttpServerRequest &request)
{
    const QByteArray authorization = header(request, "authorization");
    const QByteArray scheme = "bearer ";
    if (!authorization.toLower().startsWith(scheme))
        return {};
    return authorization.mid(scheme.size()).trimmed();
}

std::optional<QJsonObject> RequestParsing::jsonObject(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

std::optional<QString> RequestParsing::stringMember(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    // The database's text type has no NUL character, so such a text can never match or be stored.
    if (!value.isString() || value.toString().contains(QChar(0)))
        return std::nullopt;
    return value.toString();
}
