#include "tokenservice.h"

#include <QDateTime>

namespace {

constexpr auto issuer = "tintora-local";

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace

bool TokenService::Bearer::isUser() const
{
    return claims && claims->value("role").toString() == "authenticated"
        && !claims->value("sub").toString().isEmpty()
        && !claims->value("session_id").toString().isEmpty();
}

QString TokenService::Bearer::userId() const
{
    return claims ? claims->value("sub").toString() : QString();
}

QString TokenService::Bearer::sessionId() const
{
    return claims ? claims->value("session_id").toString() : QString();
}

TokenService::TokenService(QByteArray secret, int accessTokenLifetimeSeconds)
    : codec(std::move(secret))
    , lifetimeSeconds(accessTokenLifetimeSeconds)
{
}

// Without time claims, so the key stays the same for as long as the installation's secret does.
QByteArray TokenService::anonKey() const
{
    return codec.sign(QJsonObject{{"iss", issuer}, {"role", "anon"}});
}

bool TokenService::isAnonKey(QByteArrayView apiKey) const
{
    const auto verified = codec.verify(apiKey, now());
    return verified.claims && verified.claims->value("role").toString() == "anon";
}

TokenService::Bearer TokenService::verify(QByteArrayView token) const
{
    auto verified = codec.verify(token, now());
    if (verified.claims) {
        const QString role = verified.claims->value("role").toString();
        if (role != "anon" && role != "authenticated")
            return {std::nullopt, "invalid JWT: unknown role"};
    }
    return {std::move(verified.claims), verified.error};
}

QJsonObject TokenService::session(const QJsonObject &user, const QString &sessionId,
                                  const QString &refreshToken) const
{
    const qint64 issuedAt = now();
    const qint64 expiresAt = issuedAt + lifetimeSeconds;
    const QJsonObject claims{
        {"iss", issuer},
        {"sub", user.value("id")},
        {"aud", "authenticated"},
        {"role", "authenticated"},
        {"email", user.value("email")},
        {"session_id", sessionId},
        {"aal", "aal1"},
        {"iat", issuedAt},
        {"exp", expiresAt},
    };
    return QJsonObject{
        {"access_token", QString::fromLatin1(codec.sign(claims))},
        {"token_type", "bearer"},
        {"expires_in", lifetimeSeconds},
        {"expires_at", expiresAt},
        {"refresh_token", refreshToken},
        {"user", user},
    };
}

