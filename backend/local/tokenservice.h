#pragma once

#include "jwtcodec.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// Issues and checks the installation's tokens: the public anon key, access tokens and the random
// refresh tokens.
class TokenService
{
public:
    struct Bearer
    {
        std::optional<QJsonObject> claims; // a signed, unexpired anon key or access token
        QString error;
        bool isUser() const;               // an access token of a signed-in user
        QString userId() const;
        QString sessionId() const;
    };

    TokenService(QByteArray secret, int accessTokenLifetimeSeconds);

    QByteArray anonKey() const;
    bool isAnonKey(QByteArrayView apiKey) const;
    Bearer verify(QByteArrayView token) const;
    // The session object the token endpoints answer with.
    QJsonObject session(const QJsonObject &user, const QString &sessionId,
                        const QString &refreshToken) const;

private:
    JwtCodec codec;
    int lifetimeSeconds;
};
