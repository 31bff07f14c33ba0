#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

class QHttpServerRequest;

namespace RequestParsing {

// Header names compare case-insensitively, as HTTP says.
QByteArray header(const QHttpServerRequest &request, QByteArrayView name);
// The token of "Authorization: Bearer <token>"; empty when the header is absent or of another kind.
QByteArray bearerToken(const QHttpServerRequest &request);
std::optional<QJsonObject> jsonObject(const QByteArray &body);
// A string member, or nothing when it is absent, not a string or holds a NUL character.
std::optional<QString> stringMember(const QJsonObject &object, const QString &key);

} // namespace RequestParsing
