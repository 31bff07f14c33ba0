#include "usersettingsrow.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

BackendError decodingError(const QString &detail) { return {BackendError::Kind::decoding, detail, 0, {}}; }

} // namespace

Result<QList<UserSettings>> UserSettings::decodeRows(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isArray())
        return decodingError(QStringLiteral("The settings rows are not a JSON array."));
    QList<UserSettings> rows;
    const QJsonArray array = document.array();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonObject object = array[i].toObject();
        const QString idText = object.value(QStringLiteral("id")).toString();
        const QUuid id = QUuid::fromString(idText);
        if (!array[i].isObject() || idText.size() != 36 || id.isNull())
            return decodingError(QStringLiteral("Row %1 has no valid \"id\".").arg(i));
        UserSettings row{id, std::nullopt, std::nullopt};
        const QJsonValue library = object.value(QStringLiteral("palette_library"));
        if (!library.isUndefined() && !library.isNull()) {
            row.palette_library = Palettes::decodeLibrary(library);
            if (!row.palette_library)
                return decodingError(QStringLiteral("Row %1 has a \"palette_library\" that cannot be read.").arg(i));
        }
        const QJsonValue config = object.value(QStringLiteral("app_configuration"));
        if (!config.isUndefined() && !config.isNull()) {
            row.app_configuration = AppConfiguration::fromJson(config);
            if (!row.app_configuration)
                return decodingError(QStringLiteral("Row %1 has an \"app_configuration\" that cannot be read.").arg(i));
        }
        rows << row;
    }
    return rows;
}

QJsonObject UserSettings::payload(const QUuid &id, const std::optional<QList<LibraryPalette>> &palettes,
                                  const std::optional<AppConfiguration> &config)
{
    QJsonObject object{{QStringLiteral("id"), Palettes::uuidText(id)}};
    if (palettes)
        object.insert(QStringLiteral("palette_library"), QJsonDocument::fromJson(Palettes::encode(*palettes)).array());
    if (config)
        object.insert(QStringLiteral("app_configuration"), config->toJson());
    return object;
}
