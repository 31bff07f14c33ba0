#include "console.h"

namespace {
constexpr qsizetype flushThreshold = 1 << 16;
}

Console::Console() { m_buffer.reserve(flushThreshold * 2); }

Console::~Console() { flush(); }

void Console::print(const QString &text)
{
    m_buffer += text.toUtf8();
    if (m_buffer.size() >= flushThreshold)
        flush();
}

void Console::printLine(const QString &text) { printLine(text.toUtf8()); }

void Console::printLine(const QByteArray &utf8)
{
    m_buffer += utf8;
    m_buffer += '\n';
    if (m_buffer.size() >= flushThreshold)
        flush();
}

void Console::flush()
{
    if (!m_buffer.isEmpty()) {
        std::fwrite(m_buffer.constData(), 1, size_t(m_buffer.size()), stdout);
        m_buffer.clear();
    }
    std::fflush(stdout);
}

void Console::error(const QString &message)
{
    const QByteArray line = "tintora: " + message.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
