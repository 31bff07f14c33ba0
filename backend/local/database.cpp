#include "database.h"

#include <QDebug>

namespace {

const QString connectionName = "tintora-backend";

} // namespace

Transaction::Transaction(QSqlDatabase connection, bool begun)
    : connection(std::move(connection))
    , active(begun)
{
    if (!begun)
        lastError = this->connection.lastError();
}

Transaction::Transaction(Transaction &&other) noexcept
    : connection(std::move(other.connection))
    , active(std::exchange(other.active, false))
    , lastError(std::move(other.lastError))
{
}

Transaction::~Transaction()
{
    if (active)
        connection.rollback();
}

QSqlQuery Transaction::query() const
{
    return QSqlQuery(connection);
}

bool Transaction::exec(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!active)
        return false;
    if (!query.prepare(sql)) {
        fail(query.lastError());
        return false;
    }
    for (const QVariant &value : values) {
        // The driver writes values into the statement as C strings: a NUL would cut it short.
        if (value.typeId() == QMetaType::QString && value.toString().contains(QChar(0))) {
            fail(QSqlError("NUL character in a value", "invalid byte sequence for encoding \"UTF8\": 0x00",
                           QSqlError::StatementError, "22021"));
            return false;
        }
        query.addBindValue(value);
    }
    if (!query.exec()) {
        fail(query.lastError());
        return false;
    }
    return true;
}

bool Transaction::runScript(const QString &script)
{
    if (!active)
        return false;
    QSqlQuery query(connection);
    if (!query.exec(script)) {
        fail(query.lastError());
        return false;
    }
    return true;
}

bool Transaction::commit()
{
    if (!active)
        return false;
    active = false;
    if (!connection.commit()) {
        lastError = connection.lastError();
        connection.rollback();
        return false;
    }
    return true;
}

QString Transaction::errorCode() const
{
    return lastError.nativeErrorCode();
}

QString Transaction::errorMessage() const
{
    // The driver reports "ERROR:  message\n" followed by detail lines and a "(SQLSTATE)" suffix.
    QString message = lastError.databaseText().section('\n', 0, 0).trimmed();
    for (const QString prefix : {"ERROR:", "FATAL:"}) {
        if (message.startsWith(prefix))
            message = message.mid(prefix.size()).trimmed();
    }
    return message.isEmpty() ? lastError.text() : message;
}

void Transaction::fail(const QSqlError &error)
{
    lastError = error;
    // Only the first line: the driver's context lines may quote the statement with its values.
    qWarning().noquote() << "database:" << errorCode() << errorMessage();
    connection.rollback();
    active = false;
}

Database::Database(DatabaseSettings settings)
    : settings(std::move(settings))
{
}

bool Database::open(QString *error)
{
    QSqlDatabase db = QSqlDatabase::contains(connectionName)
        ? QSqlDatabase::database(connectionName, false)
        : QSqlDatabase::addDatabase("QPSQL", connectionName);
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setDatabaseName(settings.name);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setConnectOptions(settings.options);
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery session(db);
    // Timestamps then read like the hosted services print them.
    if (!session.exec("set time zone 'UTC'")) {
        *error = session.lastError().text();
        return false;
    }
    return true;
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(connectionName, false);
}

Transaction Database::begin()
{
    QSqlDatabase db = connection();
    if (db.transaction())
        return Transaction(db, true);
    // The connection may have been dropped (a database restart); one fresh attempt.
    QString error;
    db.close();
    return Transaction(db, open(&error) && db.transaction());
}

Transaction Database::beginAs(const RequestIdentity &identity)
{
    Transaction transaction = begin();
    QSqlQuery query = transaction.query();
    // The role is one of two fixed names, never text from the request.
    if (transaction.runScript(identity.role == RequestRole::Authenticated
                                  ? "set local role authenticated"
                                  : "set local role anon"))
        transaction.exec(query, "select set_config('request.jwt.claims', ?, true)",
                         {QString::fromUtf8(identity.claimsJson)});
    return transaction;
}
