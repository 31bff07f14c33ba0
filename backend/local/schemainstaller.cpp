#include "schemainstaller.h"

#include "database.h"

#include <QDir>
#include <QFile>
#include <QDebug>
#include <QSqlQuery>

namespace {

// Serialises servers starting at once against the same database.
constexpr auto lockStatement = "select pg_advisory_xact_lock(7366729)";

std::optional<QString> readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QString("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

bool applyMigration(Database &database, const QFileInfo &file, QString *error)
{
    const QString name = file.completeBaseName();
    const QString version = name.section('_', 0, 0);
    const auto script = readFile(file.filePath(), error);
    if (!script)
        return false;

    Transaction transaction = database.begin();
    QSqlQuery query = transaction.query();
    if (!transaction.exec(query, lockStatement)
        || !transaction.exec(query,
                             "select 1 from supabase_migrations.schema_migrations where version = ?",
                             {version})) {
        *error = transaction.errorMessage();
        return false;
    }
    if (query.next())
        return true;
    if (!transaction.runScript(*script)
        || !transaction.exec(query,
                             "insert into supabase_migrations.schema_migrations (version, name) "
                             "values (?, ?)",
                             {version, name.section('_', 1)})
        || !transaction.commit()) {
        *error = QString("%1: %2").arg(file.fileName(), transaction.errorMessage());
        return false;
    }
    qInfo().noquote() << "applied migration" << file.fileName();
    return true;
}

} // namespace

bool SchemaInstaller::install(Database &database, const QString &sqlDirectory, QString *error)
{
    const auto bootstrap = readFile(sqlDirectory + "/bootstrap.sql", error);
    if (!bootstrap)
        return false;
    {
        Transaction transaction = database.begin();
        QSqlQuery lock = transaction.query();
        if (!transaction.exec(lock, lockStatement) || !transaction.runScript(*bootstrap)
            || !transaction.commit()) {
            *error = "bootstrap.sql: " + transaction.errorMessage();
            return false;
        }
    }
    const QFileInfoList migrations = QDir(sqlDirectory + "/migrations")
                                         .entryInfoList({"*.sql"}, QDir::Files, QDir::Name);
    if (migrations.isEmpty()) {
        *error = "no migrations in " + sqlDirectory + "/migrations";
        return false;
    }
    for (const QFileInfo &migration : migrations) {
        if (!applyMigration(database, migration, error))
            return false;
    }
    return true;
}
