#pragma once

#include <QString>

class Database;

// Brings the database up to date at start: the bootstrap script every time (it is idempotent),
// then each migration file not yet recorded, in file-name order, each in its own transaction.
namespace SchemaInstaller {

bool install(Database &database, const QString &sqlDirectory, QString *error);

}
