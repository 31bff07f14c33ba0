#pragma once

#include <QString>

// A NAME argument that must be one of the twelve shortcut names.
namespace ShortcutName {

// True for one of the names; otherwise prints which names there are and
// returns false.
bool check(const QString &name);

} // namespace ShortcutName
