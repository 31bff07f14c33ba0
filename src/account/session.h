#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QMetaType>
#include <QString>
#include <QUuid>
#include <optional>

// The signed-in user.
struct User {
    QUuid id;
    std::optional<QString> email;

    friend bool operator==(const User &, const User &) = default;

    // From the auth service's user object; nothing without a valid "id".
    static std::optional<User> fromJson(const QJsonObject &object);
    QJsonObject toJson() const;
};

// A signed-in session: the tokens and whom they belong to.
struct Session {
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt;
    User user;

    friend bool operator==(const Session &, const Session &) = default;

    // From the auth service's token answer ("access_token", "refresh_token",
    // "expires_at" or "expires_in", "user"), or from the stored form.
    static std::optional<Session> fromJson(const QJsonObject &object);
    QJsonObject toJson() const;
};

Q_DECLARE_METATYPE(User)
Q_DECLARE_METATYPE(Session)
Q_DECLARE_METATYPE(std::optional<Session>)
Q_DECLARE_METATYPE(std::optional<User>)

namespace Jwt {
// The claims of a JSON web token, read without checking its signature (the
// server checks it); empty when the text is no token.
QJsonObject claims(const QString &token);
} // namespace Jwt
