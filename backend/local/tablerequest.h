#pragma once

#include "apireply.h"
#include "database.h"

#include <QStringList>
#include <QUrlQuery>

#include <optional>

// Reading a table request in the REST service's conventions. Column names only ever reach SQL
// as entries of the table's own column list, never as text copied from the request.
namespace TableRequest {

struct Preferences
{
    enum class Resolution { None, MergeDuplicates, IgnoreDuplicates };
    Resolution resolution = Resolution::None;
    bool returnRepresentation = false;
};

// The columns named by a "select" parameter ("*" or empty: all), in the table's spelling.
// On an unknown column `refusal` holds the answer.
std::optional<QStringList> selectColumns(const QString &select, const QStringList &tableColumns,
                                         const QString &table, ApiReply *refusal);
Preferences preferences(const QByteArray &preferHeader);
// The answer for a failed statement, by its SQLSTATE.
ApiReply databaseError(const Transaction &transaction, RequestRole role);

} // namespace TableRequest
