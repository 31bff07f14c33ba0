#include "themecolors.h"

#include <QGuiApplication>

QColor toQColor(const ColorValue &color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

namespace {

QColor resolve(const ThemeColor &color, const QPalette &desktop)
{
    QColor c;
    switch (color.role) {
    case SystemColorRole::none: return toQColor(color.value);
    case SystemColorRole::accent: c = desktop.color(QPalette::Highlight); break;
    case SystemColorRole::windowBackground: c = desktop.color(QPalette::Window); break;
    case SystemColorRole::controlBackground: c = desktop.color(QPalette::Base); break;
    case SystemColorRole::label: c = desktop.color(QPalette::WindowText); break;
    case SystemColorRole::secondaryLabel: c = desktop.color(QPalette::PlaceholderText); break;
    }
    c.setAlphaF(c.alphaF() * color.value.alpha);
    return c;
}

qreal borderWidthOf(AppTheme theme)
{
    switch (theme) {
    case AppTheme::blackPink:
    case AppTheme::cloudCinnamon: return 2;
    case AppTheme::midnightMoon: return 1.5;
    default: return 1;
    }
}

} // namespace

ThemeColors ThemeColors::of(AppTheme theme, const QPalette &desktop)
{
    return {resolve(AppThemes::accentColor(theme), desktop),
            resolve(AppThemes::mainBackgroundColor(theme), desktop),
            resolve(AppThemes::sectionBackgroundColor(theme), desktop),
            resolve(AppThemes::borderColor(theme), desktop),
            resolve(AppThemes::textColor(theme), desktop),
            resolve(AppThemes::secondaryTextColor(theme), desktop),
            borderWidthOf(theme)};
}

ThemeColors ThemeColors::of(AppTheme theme) { return of(theme, QGuiApplication::palette()); }

QPalette themedPalette(AppTheme theme, const QPalette &desktop)
{
    const ForcedAppearance appearance = AppThemes::forcedAppearance(theme);
    if (appearance == ForcedAppearance::none)
        return desktop;

    const ThemeColors colors = ThemeColors::of(theme, desktop);
    const bool dark = appearance == ForcedAppearance::dark;
    const QColor window = colors.mainBackground;
    const QColor field = dark ? window.lighter(125) : QColor(Qt::white);
    QColor secondary = colors.secondaryText;
    secondary.setAlpha(255);

    QPalette p;
    p.setColorGroup(QPalette::All, colors.text, colors.sectionBackground, window.lighter(dark ? 160 : 110),
                    window.darker(dark ? 160 : 130), window.darker(dark ? 120 : 115), colors.text,
                    dark ? QColor(Qt::white) : QColor(Qt::black), field, window);
    p.setColor(QPalette::All, QPalette::AlternateBase, colors.sectionBackground);
    p.setColor(QPalette::All, QPalette::Highlight, colors.accent);
    p.setColor(QPalette::All, QPalette::HighlightedText,
               ColorValue::clipped(colors.accent.redF(), colors.accent.greenF(), colors.accent.blueF()).isLight()
                   ? QColor(Qt::black)
                   : QColor(Qt::white));
    p.setColor(QPalette::All, QPalette::Link, colors.accent);
    p.setColor(QPalette::All, QPalette::LinkVisited, colors.accent);
    p.setColor(QPalette::All, QPalette::PlaceholderText, secondary);
    p.setColor(QPalette::All, QPalette::ToolTipBase, dark ? QColor(0x2C, 0x2E, 0x33) : QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::All, QPalette::ToolTipText, dark ? QColor(0xF8, 0xF9, 0xFA) : QColor(0x21, 0x25, 0x29));
    p.setColor(QPalette::All, QPalette::Shadow, QColor(0, 0, 0, dark ? 200 : 120));
    QColor disabledText = colors.text;
    disabledText.setAlphaF(0.4);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    return p;
}
