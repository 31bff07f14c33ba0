#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <optional>

// HS256 JSON Web Tokens, the only kind the hosted platform's anon key and access tokens use.
class JwtCodec
{
public:
    struct Verified
    {
        std::optional<QJsonObject> claims;
        QString error; // set when claims is empty
    };

    explicit JwtCodec(QByteArray secret);

    QByteArray sign(const QJsonObject &claims) const;
    // Checks structure, algorithm, signature and, when present, the "exp" claim.
    Verified verify(QByteArrayView token, qint64 nowSeconds) const;

private:
    QByteArray signature(QByteArrayView signingInput) const;

    QByteArray secret;
};
