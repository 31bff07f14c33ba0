#include "apireply.h"

#include <QJsonDocument>

namespace {

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

} // namespace

ApiReply ApiReply::json(int status, const QJsonObject &object)
{
    return rawJson(status, QJsonDocument(object).toJson(QJsonDocument::Compact));
}

ApiReply ApiReply::json(int status, const QJsonArray &array)
{
    return rawJson(status, QJsonDocument(array).toJson(QJsonDocument::Compact));
}

ApiReply ApiReply::rawJson(int status, QByteArray body)
{
    return {status, std::move(body), "application/json"};
}

ApiReply ApiReply::empty(int status)
{
    return {status, {}, {}};
}

ApiReply ApiReply::authError(int status, const QString &errorCode, const QString &message)
{
    return json(status, QJsonObject{{"code", status}, {"error_code", errorCode}, {"msg", message}});
}

ApiReply ApiReply::grantError(const QString &description)
{
    return json(400, QJsonObject{{"error", "invalid_grant"}, {"error_description", description}});
}

ApiReply ApiReply::restError(int status, const QString &code, const QString &message,
                             const QString &details, const QString &hint)
{
    return json(status, QJsonObject{{"code", code},
                                    {"message", message},
                                    {"details", textOrNull(details)},
                                    {"hint", textOrNull(hint)}});
}

ApiReply ApiReply::gatewayError(int status, const QString &message)
{
    return json(status, QJsonObject{{"message", message}});
}

ApiReply ApiReply::functionError(int status, const QString &message)
{
    return json(status, QJsonObject{{"error", message}});
}
