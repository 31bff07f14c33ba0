#include "passwordprompt.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

std::optional<QString> readLine(std::FILE *input)
{
    std::string line;
    int c;
    while ((c = std::fgetc(input)) != EOF && c != '\n')
        line.push_back(char(c));
    if (c == EOF && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

} // namespace

std::optional<QString> readPassword(const QString &prompt)
{
    if (!isatty(STDIN_FILENO))
        return readLine(stdin);
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios saved{};
    const bool canHide = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= tcflag_t(~ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    const auto password = readLine(stdin);
    if (canHide)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);
    return password;
}
