#pragma once

#include "databasesettings.h"

#include <QString>
#include <QStringList>

#include <optional>

struct ServerOptions
{
    quint16 port = 0; // 0: any free port
    DatabaseSettings database;
    QString secretFile;
    bool requireConfirmation = false;
    int jwtLifetimeSeconds = 3600;

    // Prints help or version and exits for --help and --version, like any command.
    static std::optional<ServerOptions> parse(const QStringList &arguments, QString *error);
};
