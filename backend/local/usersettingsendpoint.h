#pragma once

#include "apireply.h"
#include "database.h"

#include <QUrlQuery>

// /rest/v1/user_settings: select and upsert, run as the caller's database role so that the
// table's row-level security decides what may be read and written.
class UserSettingsEndpoint
{
public:
    explicit UserSettingsEndpoint(Database &database);

    ApiReply select(const QUrlQuery &query, const RequestIdentity &identity);
    // Writes only the columns present in the body; other columns of an existing row stay.
    ApiReply upsert(const QUrlQuery &query, const QByteArray &preferHeader, const QByteArray &body,
                    const RequestIdentity &identity);

private:
    Database &database;
};
