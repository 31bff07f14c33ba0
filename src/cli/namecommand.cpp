#include "colorarguments.h"
#include "color/colornamemanager.h"
#include "commands.h"
#include "console.h"

// The nearest name of each colour, one per line.
int nameCommand(const Invocation &invocation)
{
    if (invocation.arguments.isEmpty()) {
        Console::error(QStringLiteral("name: give a colour (or - to read them from standard input)"));
        return ExitCode::usage;
    }
    return ColorArguments::forEach(invocation.arguments, [&](const ColorValue &color) {
        invocation.console.printLine(ColorNameManager::shared().findClosestColorName(color));
    });
}
