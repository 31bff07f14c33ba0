#pragma once

#include <QString>

#include <optional>

// Where the server's database is, written like a libpq connection string:
// "host=/path/to/socket/dir port=5432 dbname=tintora user=tintora".
struct DatabaseSettings
{
    QString host;
    int port = 5432;
    QString name = "tintora";
    QString user;
    QString password;
    QString options; // any other libpq keywords, passed through

    static std::optional<DatabaseSettings> parse(const QString &connectionString, QString *error);
};
