#include "colorarguments.h"

#include "console.h"

#include <QTextStream>

namespace ColorArguments {
namespace {

bool visitText(const QString &text, const Visitor &visit)
{
    const auto color = ColorValue::fromHex(text);
    if (!color) {
        Console::error(notAColor(text));
        return false;
    }
    visit(*color);
    return true;
}

} // namespace

QString notAColor(const QString &text)
{
    return QStringLiteral("'%1' is not a colour; use hex such as #1A2B3C, 1A2B3C, #ABC or #AARRGGBB").arg(text);
}

int forEach(const QStringList &arguments, const Visitor &visit)
{
    bool allRead = true;
    for (const QString &argument : arguments) {
        if (argument != u"-") {
            allRead = visitText(argument, visit) && allRead;
            continue;
        }
        QTextStream input(stdin);
        QString line;
        while (input.readLineInto(&line)) {
            if (!line.trimmed().isEmpty())
                allRead = visitText(line, visit) && allRead;
        }
    }
    return allRead ? ExitCode::ok : ExitCode::usage;
}

int forEachPair(const QString &foreground, const QString &background, const PairVisitor &visit)
{
    if (foreground == u"-" && background == u"-") {
        Console::error(QStringLiteral("only one of the two colours can be read from standard input"));
        return ExitCode::usage;
    }
    const bool foregroundFixed = foreground != u"-";
    const QString &fixedText = foregroundFixed ? foreground : background;
    const auto fixed = ColorValue::fromHex(fixedText);
    if (!fixed) {
        Console::error(notAColor(fixedText));
        return ExitCode::usage;
    }
    const QString &varying = foregroundFixed ? background : foreground;
    return forEach({varying}, [&](const ColorValue &other) {
        if (foregroundFixed)
            visit(*fixed, other);
        else
            visit(other, *fixed);
    });
}

} // namespace ColorArguments
