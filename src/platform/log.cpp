#include "log.h"

#include <atomic>
#include <cstdio>

namespace Log {
namespace {

void writeToStdout(Kind, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

std::atomic<Sink> currentSink{&writeToStdout};

} // namespace

void info(const QString &line) { currentSink.load()(Kind::info, line); }
void failure(const QString &line) { currentSink.load()(Kind::failure, line); }

Sink setSink(Sink sink) { return currentSink.exchange(sink ? sink : &writeToStdout); }

} // namespace Log
