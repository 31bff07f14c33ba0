#include "loginresponse.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

BackendError decodingError(const QString &detail) { return {BackendError::Kind::decoding, detail, 0, {}}; }

// Reads one string member, naming the problem as a typed decoder would.
std::optional<BackendError> readString(const QJsonObject &object, const char *key, bool required, std::optional<QString> *out)
{
    const QString name = QString::fromLatin1(key);
    const QJsonValue value = object.value(name);
    if (value.isUndefined()) {
        if (required)
            return decodingError(QStringLiteral("Key '%1' missing. Path: []").arg(name));
        return std::nullopt;
    }
    if (value.isNull()) {
        if (required)
            return decodingError(QStringLiteral("Value for 'String' missing. Path: [\"%1\"]").arg(name));
        return std::nullopt;
    }
    if (!value.isString())
        return decodingError(QStringLiteral("Type mismatch for 'String'. Path: [\"%1\"]").arg(name));
    *out = value.toString();
    return std::nullopt;
}

} // namespace

Result<LoginResponse> LoginResponse::decode(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return decodingError(QStringLiteral("Data corrupted. Path: []. Context: The given data was not valid JSON (%1).")
                                 .arg(parseError.errorString()));
    }
    if (!document.isObject())
        return decodingError(QStringLiteral("Type mismatch for 'Dictionary<String, Any>'. Path: []"));
    const QJsonObject object = document.object();
    std::optional<QString> access, refresh, userId, email;
    for (const auto &[key, required, target] : {std::tuple{"access_token", true, &access},
                                                std::tuple{"refresh_token", true, &refresh},
                                                std::tuple{"user_id", true, &userId},
                                                std::tuple{"email", false, &email}}) {
        if (auto error = readString(object, key, required, target))
            return *error;
    }
    return LoginResponse{*access, *refresh, *userId, email};
}
