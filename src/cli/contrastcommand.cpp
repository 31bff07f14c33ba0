#include "colorarguments.h"
#include "color/contrast.h"
#include "commands.h"
#include "console.h"
#include "platform/orderedjson.h"

#include <cstdio>

namespace {

QString passFail(bool passes) { return passes ? QStringLiteral("Pass") : QStringLiteral("Fail"); }

QString ratioText(double ratio)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f:1", ratio);
    return QString::fromLatin1(buffer);
}

} // namespace

// The WCAG contrast ratio of two colours with its verdicts.
int contrastCommand(const Invocation &invocation)
{
    if (invocation.arguments.size() != 2) {
        Console::error(QStringLiteral("contrast: give a foreground and a background colour"));
        return ExitCode::usage;
    }
    bool first = true;
    return ColorArguments::forEachPair(
        invocation.arguments[0], invocation.arguments[1], [&](const ColorValue &foreground, const ColorValue &background) {
            const double ratio = contrastRatio(foreground, background);
            const ComplianceSummary summary = checkWCAG3Compliance(ratio);
            Console &out = invocation.console;
            if (invocation.json) {
                out.printLine(OrderedJson::Object()
                                  .add(QStringLiteral("ratio"), OrderedJson::number(ratio))
                                  .add(QStringLiteral("title"), OrderedJson::string(summary.title))
                                  .add(QStringLiteral("score"), OrderedJson::string(summary.score))
                                  .add(QStringLiteral("level"), OrderedJson::string(wcagLevelName(summary.level)))
                                  .add(QStringLiteral("normalAA"), OrderedJson::boolean(passesNormalAA(ratio)))
                                  .add(QStringLiteral("normalAAA"), OrderedJson::boolean(passesNormalAAA(ratio)))
                                  .add(QStringLiteral("largeAA"), OrderedJson::boolean(passesLargeAA(ratio)))
                                  .add(QStringLiteral("largeAAA"), OrderedJson::boolean(passesLargeAAA(ratio)))
                                  .toJson());
                return;
            }
            if (!first)
                out.printLine(QString());
            first = false;
            out.printLine(QStringLiteral("Ratio       ") + ratioText(ratio));
            out.printLine(QStringLiteral("Summary     ") + summary.title + QStringLiteral(" (") + summary.score + u')');
            out.printLine(QStringLiteral("Normal AA   ") + passFail(passesNormalAA(ratio)));
            out.printLine(QStringLiteral("Normal AAA  ") + passFail(passesNormalAAA(ratio)));
            out.printLine(QStringLiteral("Large AA    ") + passFail(passesLargeAA(ratio)));
            out.printLine(QStringLiteral("Large AAA   ") + passFail(passesLargeAAA(ratio)));
        });
}
