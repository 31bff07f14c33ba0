#pragma once

#include "databasesettings.h"

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

// The database role a table request runs as; row-level security is written against these.
enum class RequestRole { Anon, Authenticated };

// Who a table request runs as: the role and the verified token claims auth.uid() reads.
struct RequestIdentity
{
    RequestRole role = RequestRole::Anon;
    QByteArray claimsJson;
};

// One transaction. A failing statement rolls it back at once, before the statement's query object
// is released, so nothing is left half-done and the connection stays usable.
class Transaction
{
public:
    Transaction(QSqlDatabase connection, bool begun);
    Transaction(Transaction &&other) noexcept;
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    ~Transaction();

    bool isActive() const { return active; }
    QSqlQuery query() const;
    // Prepares, binds the values in order and executes.
    bool exec(QSqlQuery &query, const QString &sql, const QVariantList &values = {});
    // Sends a whole script, which may hold many statements, as one simple query.
    bool runScript(const QString &script);
    bool commit();
    // A failure's SQLSTATE (such as "42501") and its message without the driver's decoration.
    QString errorCode() const;
    QString errorMessage() const;

private:
    void fail(const QSqlError &error);

    QSqlDatabase connection;
    bool active;
    QSqlError lastError;
};

// The server's single connection; requests are handled one after another on one thread.
class Database
{
public:
    explicit Database(DatabaseSettings settings);

    bool open(QString *error);
    QSqlDatabase connection() const;
    // A transaction as the server's own login role.
    Transaction begin();
    // A transaction as the identity's role, its claims visible to auth.uid() and the policies.
    Transaction beginAs(const RequestIdentity &identity);

private:
    DatabaseSettings settings;
};
