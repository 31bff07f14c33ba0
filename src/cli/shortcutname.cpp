#include "shortcutname.h"

#include "console.h"
#include "picking/shortcuttype.h"

namespace ShortcutName {

bool check(const QString &name)
{
    if (ShortcutTypes::fromName(name))
        return true;
    Console::error(QStringLiteral("'%1' is no shortcut name; use one of %2")
                       .arg(name, ShortcutTypes::all().join(QStringLiteral(", "))));
    return false;
}

} // namespace ShortcutName
