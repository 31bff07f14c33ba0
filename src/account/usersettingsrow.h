#pragma once

#include "backenderror.h"
#include "settings/appconfiguration.h"
#include "settings/palettes.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QUuid>
#include <optional>

// What a user's row holds for the app: the library (empty when the column is
// null) and the settings record, if any.
struct CloudSettings {
    QList<LibraryPalette> palettes;
    std::optional<AppConfiguration> config;
};

// One user's row of the "user_settings" table.
struct UserSettings {
    QUuid id;
    std::optional<QList<LibraryPalette>> palette_library;
    std::optional<AppConfiguration> app_configuration;

    // The rows of a select answer; any row or value that does not decode
    // fails the whole answer.
    static Result<QList<UserSettings>> decodeRows(const QByteArray &json);

    // The upload payload: "id" always, each column only when given.
    static QJsonObject payload(const QUuid &id, const std::optional<QList<LibraryPalette>> &palettes,
                               const std::optional<AppConfiguration> &config);
};
