#pragma once

#include <QString>
#include <optional>

// What the tray icon shows: the foreground's hex or the eyedropper.
enum class TrayIconStyle { hex, icon };

namespace TrayIconStyles {

inline QString rawValue(TrayIconStyle style)
{
    return style == TrayIconStyle::icon ? QStringLiteral("Icon") : QStringLiteral("Hex Code");
}

inline std::optional<TrayIconStyle> fromRawValue(const QString &raw)
{
    if (raw == u"Icon")
        return TrayIconStyle::icon;
    if (raw == u"Hex Code")
        return TrayIconStyle::hex;
    return std::nullopt;
}

} // namespace TrayIconStyles
