#include "logcapture.h"

#include <QMutex>

namespace {

QMutex mutex;
QStringList captured;

void capture(Log::Kind, const QString &line)
{
    QMutexLocker lock(&mutex);
    captured << line;
}

} // namespace

LogCapture::LogCapture() : m_previous(Log::setSink(capture)) { clear(); }

LogCapture::~LogCapture() { Log::setSink(m_previous); }

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&mutex);
    return captured;
}

void LogCapture::clear()
{
    QMutexLocker lock(&mutex);
    captured.clear();
}
