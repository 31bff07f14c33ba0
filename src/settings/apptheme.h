#pragma once

#include "color/colorvalue.h"

#include <QString>
#include <array>
#include <optional>

// The ten colour themes, in the order they are offered.
enum class AppTheme {
    system,
    light,
    dark,
    pink,
    blackPink,
    cloudCinnamon,
    matchaLatte,
    midnightMoon,
    peachFuzz,
    champagneGold,
};

// The appearance a theme forces on the windows; none follows the desktop.
enum class ForcedAppearance { none, light, dark };

// The desktop's own colours that the system theme uses.
enum class SystemColorRole { none, accent, windowBackground, controlBackground, label, secondaryLabel };

// A theme colour: a fixed sRGB colour (its alpha is the opacity it is drawn
// at), or a desktop colour drawn at `value.alpha`.
struct ThemeColor {
    SystemColorRole role = SystemColorRole::none;
    ColorValue value;

    friend bool operator==(const ThemeColor &, const ThemeColor &) = default;
};

namespace AppThemes {

inline constexpr std::array<AppTheme, 10> allCases = {
    AppTheme::system,        AppTheme::light,       AppTheme::dark,         AppTheme::pink,
    AppTheme::blackPink,     AppTheme::cloudCinnamon, AppTheme::matchaLatte, AppTheme::midnightMoon,
    AppTheme::peachFuzz,     AppTheme::champagneGold,
};

QString rawValue(AppTheme theme);
std::optional<AppTheme> fromRawValue(const QString &raw);
QString displayName(AppTheme theme);
ForcedAppearance forcedAppearance(AppTheme theme);

ThemeColor accentColor(AppTheme theme);
ThemeColor mainBackgroundColor(AppTheme theme);
ThemeColor sectionBackgroundColor(AppTheme theme);
ThemeColor borderColor(AppTheme theme);
ThemeColor textColor(AppTheme theme);
ThemeColor secondaryTextColor(AppTheme theme);

} // namespace AppThemes
