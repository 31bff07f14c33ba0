#include "cli/cli.h"
#include "platform/desktopservices.h"
#include "platform/singleinstance.h"
#include "tintoraapp.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tintora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TINTORA_VERSION));
    return Cli::run(QCoreApplication::arguments().mid(1));
}

int runDesktop(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Tintora"));
    QApplication::setApplicationVersion(QStringLiteral(TINTORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tintora"));
    QApplication app(argc, argv);
    // A Tintora already runs: it brings its window back, this one ends.
    if (SingleInstance::requestReopen() == SingleInstance::Answer::accepted)
        return 0;
    QApplication::setStyle(QStringLiteral("Fusion"));

    SingleInstance instance;
    // Another Tintora started at the same moment and took the name first.
    if (!instance.listen() && SingleInstance::requestReopen() == SingleInstance::Answer::accepted)
        return 0;
    TintoraApp tintora(createDesktopServices());
    tintora.serve(instance);
    tintora.start();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    // Any argument is a command-line request, which must work without a
    // display: the choice is made before any GUI application exists.
    return argc > 1 ? runCommandLine(argc, argv) : runDesktop(argc, argv);
}
