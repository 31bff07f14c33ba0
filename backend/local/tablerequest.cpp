#include "tablerequest.h"

std::optional<QStringList> TableRequest::selectColumns(const QString &select,
                                                       const QStringList &tableColumns,
                                                       const QString &table, ApiReply *refusal)
{
    QStringList columns;
    for (const QString &item : select.split(',', Qt::SkipEmptyParts)) {
        const QString name = item.trimmed();
        if (name == "*") {
            columns += tableColumns;
            continue;
        }
        const qsizetype index = tableColumns.indexOf(name);
        if (index < 0) {
            *refusal = ApiReply::restError(
                400, "42703", QString("column %1.%2 does not exist").arg(table, name));
            return std::nullopt;
        }
        columns << tableColumns.at(index);
    }
    columns.removeDuplicates();
    return columns.isEmpty() ? tableColumns : columns;
}

TableRequest::Preferences TableRequest::preferences(const QByteArray &preferHeader)
{
    Preferences preferences;
    for (const QByteArray &item : preferHeader.split(',')) {
        const QByteArray preference = item.trimmed();
        if (preference == "resolution=merge-duplicates")
            preferences.resolution = Preferences::Resolution::MergeDuplicates;
        else if (preference == "resolution=ignore-duplicates")
            preferences.resolution = Preferences::Resolution::IgnoreDuplicates;
        else if (preference == "return=representation")
            preferences.returnRepresentation = true;
    }
    return preferences;
}

ApiReply TableRequest::databaseError(const Transaction &transaction, RequestRole role)
{
    const QString code = transaction.errorCode();
    int status = 500;
    if (code == "42501")
        status = role == RequestRole::Anon ? 401 : 403; // refused by privileges or row security
    else if (code == "23505" || code == "23503")
        status = 409;
    else if (code.startsWith("22") || code.startsWith("23") || code.startsWith("42"))
        status = 400;
    else if (code.startsWith("08") || code.isEmpty())
        status = 503;
    return ApiReply::restError(status, code.isEmpty() ? "PGRST000" : code,
                               transaction.errorMessage());
}
