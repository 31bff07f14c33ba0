#include "shortcuttype.h"

namespace ShortcutTypes {

QString shortcutName(ShortcutType type)
{
    switch (type) {
    case ShortcutType::foregroundColor: return QStringLiteral("foregroundColor");
    case ShortcutType::backgroundColor: return QStringLiteral("backgroundColor");
    case ShortcutType::alwaysOnTop: return QStringLiteral("alwaysOnTop");
    case ShortcutType::slot1: return QStringLiteral("slot1");
    case ShortcutType::slot2: return QStringLiteral("slot2");
    case ShortcutType::slot3: return QStringLiteral("slot3");
    case ShortcutType::slot4: return QStringLiteral("slot4");
    case ShortcutType::myPalette1: return QStringLiteral("myPalette1");
    case ShortcutType::myPalette2: return QStringLiteral("myPalette2");
    case ShortcutType::myPalette3: return QStringLiteral("myPalette3");
    case ShortcutType::myPalette4: return QStringLiteral("myPalette4");
    case ShortcutType::myPalette5: return QStringLiteral("myPalette5");
    }
    return {};
}

std::optional<ShortcutType> fromName(const QString &name)
{
    for (ShortcutType type : allCases) {
        if (shortcutName(type) == name)
            return type;
    }
    return std::nullopt;
}

QStringList all()
{
    QStringList names;
    for (ShortcutType type : allCases)
        names << shortcutName(type);
    return names;
}

QStringList myPalettes()
{
    return {shortcutName(ShortcutType::myPalette1), shortcutName(ShortcutType::myPalette2),
            shortcutName(ShortcutType::myPalette3), shortcutName(ShortcutType::myPalette4),
            shortcutName(ShortcutType::myPalette5)};
}

} // namespace ShortcutTypes
