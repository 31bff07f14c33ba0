#pragma once

#include "platform/log.h"

#include <QStringList>

// Collects every diagnostic line written while it lives.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();

    QStringList lines() const;
    bool contains(const QString &line) const { return lines().contains(line); }
    void clear();

private:
    Log::Sink m_previous;
};
