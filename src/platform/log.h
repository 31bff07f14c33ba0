#pragma once

#include <QString>

// Diagnostic lines: plain lines without levels or time stamps. The desktop app
// writes both kinds to standard output; the command line keeps its standard
// output for results and routes them elsewhere.
namespace Log {

enum class Kind { info, failure };

using Sink = void (*)(Kind kind, const QString &line);

void info(const QString &line);
void failure(const QString &line);

// Replaces the destination of every later line; returns the previous sink.
Sink setSink(Sink sink);

} // namespace Log
