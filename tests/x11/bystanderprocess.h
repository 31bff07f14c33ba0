#pragma once

#include "desktoptools.h"

#include <QProcess>
#include <QRect>

// The bystander program, running: another program's window the user works
// in, with a count of the keys and clicks it got.
class BystanderProcess
{
public:
    explicit BystanderProcess(const QRect &geometry) : m_geometry(geometry)
    {
        m_process.start(QStringLiteral(TINTORA_BYSTANDER),
                        {QString::number(geometry.x()), QString::number(geometry.y()), QString::number(geometry.width()),
                         QString::number(geometry.height())});
    }
    ~BystanderProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // Waits until the window is on screen; its X window id, or nothing.
    QString waitUntilShown()
    {
        QTest::qWaitFor([this] { return read(), !m_window.isEmpty(); }, 10000);
        return m_window;
    }
    int keys() { return read(), m_keys; }
    int clicks() { return read(), m_clicks; }
    QPoint centre() const { return m_geometry.center(); }

private:
    void read()
    {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            if (line == "key")
                ++m_keys;
            else if (line == "click")
                ++m_clicks;
            else if (line.startsWith("ready "))
                m_window = QString::fromLatin1(line.mid(6));
        }
    }

    QRect m_geometry;
    QProcess m_process;
    QString m_window;
    int m_keys = 0;
    int m_clicks = 0;
};
