#include "colorarguments.h"
#include "color/harmonies.h"
#include "commands.h"
#include "console.h"
#include "platform/orderedjson.h"

namespace {

QStringList hexTexts(const QList<ColorValue> &row)
{
    QStringList texts;
    for (const ColorValue &color : row)
        texts << color.toHex();
    return texts;
}

QByteArray jsonArray(const QStringList &texts)
{
    QList<QByteArray> items;
    for (const QString &text : texts)
        items << OrderedJson::string(text);
    return OrderedJson::array(items);
}

} // namespace

// The complement and the two harmony rows of each colour.
int harmonyCommand(const Invocation &invocation)
{
    if (invocation.arguments.isEmpty()) {
        Console::error(QStringLiteral("harmony: give a colour (or - to read them from standard input)"));
        return ExitCode::usage;
    }
    bool first = true;
    return ColorArguments::forEach(invocation.arguments, [&](const ColorValue &color) {
        const QString complement = calculateComplementaryColor(color).toHex();
        const QStringList toneOnTone = hexTexts(generateToneOnTone(color));
        const QStringList toneAndTone = hexTexts(generateToneAndTone(color));
        Console &out = invocation.console;
        if (invocation.json) {
            out.printLine(OrderedJson::Object()
                              .add(QStringLiteral("complement"), OrderedJson::string(complement))
                              .add(QStringLiteral("toneOnTone"), jsonArray(toneOnTone))
                              .add(QStringLiteral("toneAndTone"), jsonArray(toneAndTone))
                              .toJson());
            return;
        }
        if (!first)
            out.printLine(QString());
        first = false;
        out.printLine(QStringLiteral("Complement     ") + complement);
        out.printLine(QStringLiteral("Tone on tone   ") + toneOnTone.join(u' '));
        out.printLine(QStringLiteral("Tone and tone  ") + toneAndTone.join(u' '));
    });
}
