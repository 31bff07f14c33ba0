#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "platform/singleinstance.h"
#include "shortcutname.h"

// Has the running instance do what the shortcut of that name does.
int actionCommand(const QString &name)
{
    if (!ShortcutName::check(name))
        return ExitCode::usage;
    switch (SingleInstance::requestAction(name)) {
    case SingleInstance::Answer::accepted:
        return ExitCode::ok;
    case SingleInstance::Answer::refused:
        Console::error(QStringLiteral("the running tintora refused the action '%1'").arg(name));
        return ExitCode::failure;
    case SingleInstance::Answer::none:
        break;
    }
    Console::error(QStringLiteral("no running Tintora to ask; start it first"));
    return ExitCode::failure;
}
