#include "cli/cli.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tintora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TINTORA_VERSION));
    return Cli::run(QCoreApplication::arguments().mid(1));
}
