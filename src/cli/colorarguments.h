#pragma once

#include "color/colorvalue.h"

#include <QStringList>
#include <functional>

// Exit codes of the command line.
namespace ExitCode {
constexpr int ok = 0;
constexpr int failure = 1;
constexpr int usage = 2; // also a colour that could not be read
} // namespace ExitCode

// Reading COLOR arguments: hex text through the strict parser, or "-" for one
// colour per line of standard input (blank lines skipped). A colour that
// cannot be read gets one line on standard error and the rest go on.
namespace ColorArguments {

using Visitor = std::function<void(const ColorValue &color)>;

// Calls `visit` for every colour in order; ExitCode::usage when any could not
// be read, ExitCode::ok otherwise.
int forEach(const QStringList &arguments, const Visitor &visit);

using PairVisitor = std::function<void(const ColorValue &foreground, const ColorValue &background)>;

// Calls `visit` for a foreground and background; either (not both) may be
// "-", pairing every colour of standard input with the other one.
int forEachPair(const QString &foreground, const QString &background, const PairVisitor &visit);

// The message for text that is not a colour.
QString notAColor(const QString &text);

} // namespace ColorArguments
