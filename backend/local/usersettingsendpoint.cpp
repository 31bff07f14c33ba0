#include "usersettingsendpoint.h"

#include "tablerequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>

using TableRequest::Preferences;

namespace {

const QString table = "user_settings";
const QStringList tableColumns{"id", "palette_library", "app_configuration", "updated_at"};

ApiReply unsupportedParameter(const QString &name)
{
    return ApiReply::restError(400, "PGRST100",
                               QString("unsupported query parameter \"%1\"").arg(name));
}

ApiReply invalidBody(const QString &message)
{
    return ApiReply::restError(400, "PGRST102", message);
}

// The rows a statement yields, as one JSON array built by the database.
QString asJsonArray(const QString &rowsStatement, const QString &name)
{
    return QString("select coalesce(json_agg(row_to_json(%1)), '[]')::text from (%2) %1")
        .arg(name, rowsStatement);
}

QString conflictClause(Preferences::Resolution resolution, const QStringList &written)
{
    switch (resolution) {
    case Preferences::Resolution::None:
        return {};
    case Preferences::Resolution::IgnoreDuplicates:
        return "on conflict (id) do nothing";
    case Preferences::Resolution::MergeDuplicates:
        break;
    }
    QStringList assignments;
    for (const QString &column : written) {
        if (column != "id")
            assignments << QString("%1 = excluded.%1").arg(column);
    }
    if (assignments.isEmpty())
        assignments << "id = excluded.id";
    return "on conflict (id) do update set " + assignments.join(", ");
}

// The rows of an upsert body, which is one object or an array of objects with the same keys.
std::optional<QJsonArray> bodyRows(const QByteArray &body, ApiReply *refusal)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || document.isNull()) {
        *refusal = invalidBody("Empty or invalid json");
        return std::nullopt;
    }
    const QJsonArray rows = document.isObject() ? QJsonArray{document.object()} : document.array();
    for (const QJsonValue &row : rows) {
        if (!row.isObject() || row.toObject().keys() != rows.first().toObject().keys()) {
            *refusal = invalidBody("All object keys must match");
            return std::nullopt;
        }
    }
    return rows;
}

// The body's columns in the table's spelling and order.
std::optional<QStringList> writtenColumns(const QJsonObject &row, ApiReply *refusal)
{
    for (const QString &key : row.keys()) {
        if (!tableColumns.contains(key)) {
            *refusal = ApiReply::restError(
                400, "PGRST204",
                QString("Could not find the '%1' column of '%2' in the schema cache").arg(key, table));
            return std::nullopt;
        }
    }
    QStringList written;
    for (const QString &column : tableColumns) {
        if (row.contains(column))
            written << column;
    }
    if (written.isEmpty()) {
        *refusal = invalidBody("Empty or invalid json");
        return std::nullopt;
    }
    return written;
}

} // namespace

UserSettingsEndpoint::UserSettingsEndpoint(Database &database)
    : database(database)
{
}

ApiReply UserSettingsEndpoint::select(const QUrlQuery &query, const RequestIdentity &identity)
{
    ApiReply refusal;
    QStringList selected = tableColumns;
    std::optional<QString> id;
    for (const auto &[name, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (name == "select") {
            const auto columns = TableRequest::selectColumns(value, tableColumns, table, &refusal);
            if (!columns)
                return refusal;
            selected = *columns;
        } else if (name == "id" && value.startsWith("eq.") && !id) {
            id = value.mid(3);
        } else {
            return unsupportedParameter(name);
        }
    }

    const QString rows = QString("select %1 from public.user_settings%2")
                             .arg(selected.join(", "), id ? " where id = cast(? as uuid)" : "");
    Transaction transaction = database.beginAs(identity);
    QSqlQuery result = transaction.query();
    if (!transaction.exec(result, asJsonArray(rows, "r"), id ? QVariantList{*id} : QVariantList{})
        || !result.next())
        return TableRequest::databaseError(transaction, identity.role);
    transaction.commit();
    return ApiReply::rawJson(200, result.value(0).toString().toUtf8());
}

ApiReply UserSettingsEndpoint::upsert(const QUrlQuery &query, const QByteArray &preferHeader,
                                      const QByteArray &body, const RequestIdentity &identity)
{
    ApiReply refusal;
    const Preferences preferences = TableRequest::preferences(preferHeader);
    QStringList returned = tableColumns;
    for (const auto &[name, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (name == "on_conflict" && value != "id") {
            return ApiReply::restError(
                400, "42P10",
                "on_conflict names no unique or exclusion constraint: only \"id\" is one");
        } else if (name == "select") {
            const auto columns = TableRequest::selectColumns(value, tableColumns, table, &refusal);
            if (!columns)
                return refusal;
            returned = *columns;
        } else if (name != "on_conflict") {
            return unsupportedParameter(name);
        }
    }
    const auto rows = bodyRows(body, &refusal);
    if (!rows)
        return refusal;
    if (rows->isEmpty())
        return preferences.returnRepresentation ? ApiReply::rawJson(201, "[]") : ApiReply::empty(201);
    const auto written = writtenColumns(rows->first().toObject(), &refusal);
    if (!written)
        return refusal;

    const QString columnList = written->join(", ");
    const QString insert =
        QString("insert into public.user_settings (%1) select %1 from "
                "jsonb_populate_recordset(null::public.user_settings, cast(? as jsonb)) %2 "
                "returning %3")
            .arg(columnList, conflictClause(preferences.resolution, *written), returned.join(", "));
    Transaction transaction = database.beginAs(identity);
    QSqlQuery result = transaction.query();
    if (!transaction.exec(result, "with w as (" + insert + ") " + asJsonArray("select * from w", "r"),
                          {QString::fromUtf8(QJsonDocument(*rows).toJson(QJsonDocument::Compact))})
        || !result.next() || !transaction.commit())
        return TableRequest::databaseError(transaction, identity.role);
    return preferences.returnRepresentation
        ? ApiReply::rawJson(201, result.value(0).toString().toUtf8())
        : ApiReply::empty(201);
}
