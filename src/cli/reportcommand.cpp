#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "picking/colorpickerlogic.h"

// The "Copy all" text (or JSON) of a fresh picker holding the two colours.
int reportCommand(const Invocation &invocation)
{
    if (invocation.arguments.size() != 2) {
        Console::error(QStringLiteral("report: give a foreground and a background colour"));
        return ExitCode::usage;
    }
    bool first = true;
    return ColorArguments::forEachPair(invocation.arguments[0], invocation.arguments[1],
                                       [&](const ColorValue &foreground, const ColorValue &background) {
                                           ColorPickerLogic logic;
                                           logic.updateForegroundColor(foreground, false);
                                           logic.updateBackgroundColor(background, false);
                                           if (!first)
                                               invocation.console.printLine(QString());
                                           first = false;
                                           invocation.console.printLine(invocation.json ? logic.generateCopyAllJson()
                                                                                        : logic.generateCopyAllText());
                                       });
}
