#include "colorarguments.h"
#include "color/colornamemanager.h"
#include "commands.h"
#include "console.h"
#include "platform/orderedjson.h"

// Every notation of each colour and its nearest name.
int infoCommand(const Invocation &invocation)
{
    if (invocation.arguments.isEmpty()) {
        Console::error(QStringLiteral("info: give at least one colour (or - to read them from standard input)"));
        return ExitCode::usage;
    }
    bool first = true;
    return ColorArguments::forEach(invocation.arguments, [&](const ColorValue &color) {
        const QString name = ColorNameManager::shared().findClosestColorName(color);
        if (invocation.json) {
            OrderedJson::Object object;
            for (CopyFormat format : CopyFormats::all)
                object.add(CopyFormats::rawValue(format).toLower(), OrderedJson::string(color.getFormattedString(format)));
            object.add(QStringLiteral("name"), OrderedJson::string(name));
            invocation.console.printLine(object.toJson());
            return;
        }
        if (!first)
            invocation.console.printLine(QString());
        first = false;
        for (CopyFormat format : CopyFormats::all)
            invocation.console.printLine(CopyFormats::rawValue(format).leftJustified(9) + color.getFormattedString(format));
        invocation.console.printLine(QStringLiteral("Name").leftJustified(9) + name);
    });
}
