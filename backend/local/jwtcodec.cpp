#include "jwtcodec.h"

#include <QJsonDocument>
#include <QList>
#include <QMessageAuthenticationCode>

namespace {

constexpr auto base64Url = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

QByteArray encodeSegment(const QByteArray &bytes)
{
    return bytes.toBase64(base64Url);
}

std::optional<QByteArray> decodeSegment(QByteArrayView segment)
{
    auto result = QByteArray::fromBase64Encoding(segment.toByteArray(),
                                                 base64Url | QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return std::nullopt;
    return *result;
}

std::optional<QJsonObject> decodeObject(QByteArrayView segment)
{
    const auto bytes = decodeSegment(segment);
    if (!bytes)
        return std::nullopt;
    QJsonParseError error;
    const auto document = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// Takes the same time whatever the position of the first differing byte, so a forger cannot
// learn the signature byte by byte.
bool equalInConstantTime(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

JwtCodec::Verified rejected(const QString &error)
{
    return {std::nullopt, error};
}

} // namespace

JwtCodec::JwtCodec(QByteArray secret)
    : secret(std::move(secret))
{
}

QByteArray JwtCodec::sign(const QJsonObject &claims) const
{
    const QJsonObject header{{"alg", "HS256"}, {"typ", "JWT"}};
    const QByteArray signingInput =
        encodeSegment(QJsonDocument(header).toJson(QJsonDocument::Compact)) + '.'
        + encodeSegment(QJsonDocument(claims).toJson(QJsonDocument::Compact));
    return signingInput + '.' + encodeSegment(signature(signingInput));
}

JwtCodec::Verified JwtCodec::verify(QByteArrayView token, qint64 nowSeconds) const
{
    const QList<QByteArray> parts = token.toByteArray().split('.');
    if (parts.size() != 3)
        return rejected("invalid JWT: token contains an invalid number of segments");

    const auto header = decodeObject(parts[0]);
    if (!header)
        return rejected("invalid JWT: unable to parse header");
    // Only HS256: accepting the header's choice would let "none" or another key type through.
    if (header->value("alg").toString() != "HS256")
        return rejected("invalid JWT: signing method is not HS256");

    const auto givenSignature = decodeSegment(parts[2]);
    const qsizetype signingInputLength = parts[0].size() + 1 + parts[1].size();
    if (!givenSignature
        || !equalInConstantTime(*givenSignature, signature(token.first(signingInputLength))))
        return rejected("invalid JWT: signature is invalid");

    const auto claims = decodeObject(parts[1]);
    if (!claims)
        return rejected("invalid JWT: unable to parse claims");
    if (claims->contains("exp")) {
        const QJsonValue exp = claims->value("exp");
        if (!exp.isDouble() || exp.toDouble() <= static_cast<double>(nowSeconds))
            return rejected("invalid JWT: token is expired");
    }
    return {claims, {}};
}

QByteArray JwtCodec::signature(QByteArrayView signingInput) const
{
    return QMessageAuthenticationCode::hash(signingInput.toByteArray(), secret,
                                            QCryptographicHash::Sha256);
}
