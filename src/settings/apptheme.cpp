#include "apptheme.h"

namespace AppThemes {
namespace {

struct ThemeInfo {
    AppTheme theme;
    const char *raw;
    const char *displayName;
    ForcedAppearance appearance;
    const char *accent;
    const char *mainBackground;
    const char *sectionBackground;
    const char *border;
    double borderOpacity;
    const char *secondaryText;
};

// Colours of the fixed themes; the system theme's come from the desktop.
constexpr ThemeInfo themes[] = {
    {AppTheme::system, "system", "System", ForcedAppearance::none, "", "", "", "", 0.5, ""},
    {AppTheme::light, "light", "Light", ForcedAppearance::light, "228BE6", "FFFFFF", "F1F3F5", "495057", 0.5,
     "495057"},
    {AppTheme::dark, "dark", "Dark", ForcedAppearance::dark, "339AF0", "25262B", "1A1B1E", "ADB5BD", 0.5, "ADB5BD"},
    {AppTheme::pink, "pink", "Lovely Pink", ForcedAppearance::light, "FF69B4", "FFF0F5", "FFE0E9", "495057", 0.5,
     "495057"},
    {AppTheme::blackPink, "blackPink", "Black Pink", ForcedAppearance::dark, "ff59c7", "121212", "1E1E1E", "ff59c7",
     0.5, "ff59c7"},
    {AppTheme::cloudCinnamon, "cloudCinnamon", "Cinnamo", ForcedAppearance::light, "B3E5FC", "FFFFFF", "F0F8FF",
     "B3E5FC", 1.0, "495057"},
    {AppTheme::matchaLatte, "matchaLatte", "Matcha", ForcedAppearance::light, "2D3136", "AAB15C", "DFDFC8", "2D3136",
     0.5, "2D3136"},
    {AppTheme::midnightMoon, "midnightMoon", "Midnight", ForcedAppearance::dark, "FFD700", "1A1A2E", "16213E",
     "FFD701", 1.0, "ADB5BD"},
    {AppTheme::peachFuzz, "peachFuzz", "Peach", ForcedAppearance::light, "B2856A", "FFBE98", "FFD8C0", "495057", 0.5,
     "495057"},
    {AppTheme::champagneGold, "champagneGold", "Sand", ForcedAppearance::light, "D4AF37", "F5F5DC", "ECECC6",
     "495057", 0.5, "495057"},
};

const ThemeInfo &info(AppTheme theme)
{
    for (const ThemeInfo &t : themes) {
        if (t.theme == theme)
            return t;
    }
    return themes[0];
}

ThemeColor fixed(const char *hex, double opacity = 1.0)
{
    ColorValue value = ColorValue::fromHexOrBlack(QString::fromLatin1(hex));
    value.alpha = opacity;
    return {SystemColorRole::none, value};
}

ThemeColor desktop(SystemColorRole role, double opacity = 1.0) { return {role, ColorValue{0, 0, 0, opacity}}; }

} // namespace

QString rawValue(AppTheme theme) { return QString::fromLatin1(info(theme).raw); }

std::optional<AppTheme> fromRawValue(const QString &raw)
{
    for (const ThemeInfo &t : themes) {
        if (raw == QLatin1StringView(t.raw))
            return t.theme;
    }
    return std::nullopt;
}

QString displayName(AppTheme theme) { return QString::fromLatin1(info(theme).displayName); }

ForcedAppearance forcedAppearance(AppTheme theme) { return info(theme).appearance; }

ThemeColor accentColor(AppTheme theme)
{
    return theme == AppTheme::system ? desktop(SystemColorRole::accent) : fixed(info(theme).accent);
}

ThemeColor mainBackgroundColor(AppTheme theme)
{
    return theme == AppTheme::system ? desktop(SystemColorRole::windowBackground) : fixed(info(theme).mainBackground);
}

ThemeColor sectionBackgroundColor(AppTheme theme)
{
    return theme == AppTheme::system ? desktop(SystemColorRole::controlBackground)
                                     : fixed(info(theme).sectionBackground);
}

ThemeColor borderColor(AppTheme theme)
{
    const ThemeInfo &t = info(theme);
    return theme == AppTheme::system ? desktop(SystemColorRole::secondaryLabel, t.borderOpacity)
                                     : fixed(t.border, t.borderOpacity);
}

ThemeColor textColor(AppTheme theme)
{
    switch (forcedAppearance(theme)) {
    case ForcedAppearance::none: return desktop(SystemColorRole::label);
    case ForcedAppearance::light: return fixed("212529");
    case ForcedAppearance::dark: return fixed("F8F9FA");
    }
    return desktop(SystemColorRole::label);
}

ThemeColor secondaryTextColor(AppTheme theme)
{
    return theme == AppTheme::system ? desktop(SystemColorRole::secondaryLabel) : fixed(info(theme).secondaryText);
}

} // namespace AppThemes
