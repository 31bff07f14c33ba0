#include "session.h"

#include <QJsonDocument>
#include <QStringList>
#include <QTimeZone>

std::optional<User> User::fromJson(const QJsonObject &object)
{
    const QString idText = object.value(QStringLiteral("id")).toString();
    const QUuid id = QUuid::fromString(idText);
    if (idText.size() != 36 || id.isNull())
        return std::nullopt;
    User user{id, std::nullopt};
    const QJsonValue email = object.value(QStringLiteral("email"));
    if (email.isString())
        user.email = email.toString();
    return user;
}

QJsonObject User::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id.toString(QUuid::WithoutBraces)}};
    if (email)
        object.insert(QStringLiteral("email"), *email);
    return object;
}

std::optional<Session> Session::fromJson(const QJsonObject &object)
{
    const QString access = object.value(QStringLiteral("access_token")).toString();
    const QString refresh = object.value(QStringLiteral("refresh_token")).toString();
    const auto user = User::fromJson(object.value(QStringLiteral("user")).toObject());
    if (access.isEmpty() || refresh.isEmpty() || !user)
        return std::nullopt;
    QDateTime expiresAt;
    if (object.value(QStringLiteral("expires_at")).isDouble()) {
        expiresAt = QDateTime::fromSecsSinceEpoch(qint64(object.value(QStringLiteral("expires_at")).toDouble()), QTimeZone::utc());
    } else if (object.value(QStringLiteral("expires_in")).isDouble()) {
        expiresAt = QDateTime::currentDateTimeUtc().addSecs(qint64(object.value(QStringLiteral("expires_in")).toDouble()));
    } else {
        const QJsonValue exp = Jwt::claims(access).value(QStringLiteral("exp"));
        if (!exp.isDouble())
            return std::nullopt;
        expiresAt = QDateTime::fromSecsSinceEpoch(qint64(exp.toDouble()), QTimeZone::utc());
    }
    return Session{access, refresh, expiresAt, *user};
}

QJsonObject Session::toJson() const
{
    return {
        {QStringLiteral("access_token"), accessToken},
        {QStringLiteral("refresh_token"), refreshToken},
        {QStringLiteral("token_type"), QStringLiteral("bearer")},
        {QStringLiteral("expires_at"), double(expiresAt.toSecsSinceEpoch())},
        {QStringLiteral("user"), user.toJson()},
    };
}

namespace Jwt {

QJsonObject claims(const QString &token)
{
    const QStringList parts = token.split(u'.');
    if (parts.size() != 3)
        return {};
    const auto payload = QByteArray::fromBase64Encoding(parts[1].toLatin1(),
                                                        QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    if (!payload)
        return {};
    return QJsonDocument::fromJson(*payload).object();
}

} // namespace Jwt
