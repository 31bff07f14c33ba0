#include "accountstore.h"
#include "apirouter.h"
#include "authendpoints.h"
#include "backendserver.h"
#include "database.h"
#include "installationsecret.h"
#include "schemainstaller.h"
#include "serveroptions.h"
#include "tokenservice.h"
#include "usersettingsendpoint.h"

#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

namespace {

int failure(const QString &message)
{
    std::fprintf(stderr, "tintora-backend: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tintora-backend");
    QCoreApplication::setApplicationVersion(TINTORA_VERSION);
    qSetMessagePattern("%{time yyyy-MM-ddThh:mm:ss.zzz} %{message}");

    QString error;
    const auto options = ServerOptions::parse(app.arguments(), &error);
    if (!options)
        return failure(error);
    const auto secret = InstallationSecret::loadOrCreate(options->secretFile, &error);
    if (!secret)
        return failure(error);

    Database database(options->database);
    if (!database.open(&error))
        return failure("cannot connect to the database: " + error);
    // Installed beside the binary, as share/tintora/backend in the build tree and in an install.
    const QString sqlDirectory =
        QCoreApplication::applicationDirPath() + "/../share/tintora/backend";
    if (!SchemaInstaller::install(database, sqlDirectory, &error))
        return failure("cannot prepare the database: " + error);

    const TokenService tokens(*secret, options->jwtLifetimeSeconds);
    AccountStore accounts(database);
    AuthEndpoints auth(accounts, tokens, options->requireConfirmation);
    UserSettingsEndpoint userSettings(database);
    const ApiRouter router(auth, userSettings, tokens);
    BackendServer server(router);
    const quint16 port = server.listen(QHostAddress::LocalHost, options->port);
    if (port == 0)
        return failure(QString("cannot listen on 127.0.0.1:%1").arg(options->port));

    const QString url = QString("http://127.0.0.1:%1").arg(port);
    auth.setPublicUrl(url);
    qInfo().noquote() << "listening on" << url;
    // Exactly these two lines on stdout, so a shell can eval them.
    std::printf("TINTORA_BACKEND_URL=%s\nTINTORA_BACKEND_KEY=%s\n", qPrintable(url),
                tokens.anonKey().constData());
    std::fflush(stdout);
    return app.exec();
}
