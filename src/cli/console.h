#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

// Buffered standard output for results and one-line messages on standard
// error, for the command line.
class Console
{
public:
    Console();
    ~Console();

    void print(const QString &text);       // as it is
    void printLine(const QString &text);   // followed by a line feed
    void printLine(const QByteArray &utf8);
    void flush();

    // "tintora: " + message on standard error.
    static void error(const QString &message);

private:
    QByteArray m_buffer;
};
