#pragma once

#include <QStringList>

class Console;

// What every subcommand gets: its positional arguments and the shared flags.
struct Invocation {
    QStringList arguments;
    bool json = false;
    Console &console;
};

// Each returns the process exit code.
int infoCommand(const Invocation &invocation);
int reportCommand(const Invocation &invocation);
int contrastCommand(const Invocation &invocation);
int harmonyCommand(const Invocation &invocation);
int nameCommand(const Invocation &invocation);
int accountCommand(const Invocation &invocation);
int cloudCommand(const Invocation &invocation);
int shortcutsCommand(const Invocation &invocation);
// `--action NAME`: not a command of its own, as desktops bind it as one line.
int actionCommand(const QString &name);
