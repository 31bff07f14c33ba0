#pragma once

#include <QString>
#include <optional>

// The password for an account command: asked for on the terminal without
// echo, or the first line of standard input when that is no terminal.
// Nothing when none could be read.
std::optional<QString> readPassword(const QString &prompt);
