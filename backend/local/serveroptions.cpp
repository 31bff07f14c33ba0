#include "serveroptions.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

QString defaultSecretFile()
{
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (stateHome.isEmpty())
        stateHome = QDir::homePath() + "/.local/state";
    return stateHome + "/tintora/backend/jwt-secret";
}

std::optional<int> boundedNumber(const QString &text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ServerOptions> ServerOptions::parse(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Tintora's local backend: the hosted backend's HTTP API on 127.0.0.1 over PostgreSQL.");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port("port", "Port on 127.0.0.1; 0 picks a free one.", "N", "0");
    const QCommandLineOption database(
        "database", "libpq-style connection settings (host, port, dbname, user).", "SETTINGS",
        "dbname=tintora");
    const QCommandLineOption secretFile("secret-file",
                                        "Token signing secret; created when missing.", "PATH",
                                        defaultSecretFile());
    const QCommandLineOption requireConfirmation(
        "require-confirmation", "New accounts must open the logged confirmation link.");
    const QCommandLineOption jwtLifetime("jwt-lifetime", "Access token lifetime.", "SECONDS",
                                         "3600");
    parser.addOptions({port, database, secretFile, requireConfirmation, jwtLifetime});
    parser.process(arguments);

    if (!parser.positionalArguments().isEmpty()) {
        *error = "unexpected argument " + parser.positionalArguments().first();
        return std::nullopt;
    }
    ServerOptions options;
    const auto portNumber = boundedNumber(parser.value(port), 0, 65535);
    if (!portNumber) {
        *error = "invalid --port " + parser.value(port);
        return std::nullopt;
    }
    options.port = static_cast<quint16>(*portNumber);
    const auto lifetime = boundedNumber(parser.value(jwtLifetime), 1, 7 * 24 * 3600);
    if (!lifetime) {
        *error = "invalid --jwt-lifetime " + parser.value(jwtLifetime);
        return std::nullopt;
    }
    options.jwtLifetimeSeconds = *lifetime;
    QString databaseError;
    const auto settings = DatabaseSettings::parse(parser.value(database), &databaseError);
    if (!settings) {
        *error = "invalid --database: " + databaseError;
        return std::nullopt;
    }
    options.database = *settings;
    options.secretFile = parser.value(secretFile);
    options.requireConfirmation = parser.isSet(requireConfirmation);
    return options;
}
