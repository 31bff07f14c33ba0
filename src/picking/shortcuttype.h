#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The twelve global shortcut actions, in their settings order.
enum class ShortcutType {
    foregroundColor,
    backgroundColor,
    alwaysOnTop,
    slot1,
    slot2,
    slot3,
    slot4,
    myPalette1,
    myPalette2,
    myPalette3,
    myPalette4,
    myPalette5,
};

namespace ShortcutTypes {

inline constexpr std::array<ShortcutType, 12> allCases = {
    ShortcutType::foregroundColor, ShortcutType::backgroundColor, ShortcutType::alwaysOnTop,
    ShortcutType::slot1,           ShortcutType::slot2,           ShortcutType::slot3,
    ShortcutType::slot4,           ShortcutType::myPalette1,      ShortcutType::myPalette2,
    ShortcutType::myPalette3,      ShortcutType::myPalette4,      ShortcutType::myPalette5,
};

// The name under which the shortcut's key combination is kept.
QString shortcutName(ShortcutType type);
std::optional<ShortcutType> fromName(const QString &name);

// The twelve names in order, and the five My Palette names.
QStringList all();
QStringList myPalettes();

} // namespace ShortcutTypes
