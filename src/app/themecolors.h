#pragma once

#include "color/colorvalue.h"
#include "settings/apptheme.h"

#include <QColor>
#include <QPalette>

QColor toQColor(const ColorValue &color);

// A theme's colours as the views draw them. The system theme's come from the
// desktop palette given (the application's, which follows the desktop).
struct ThemeColors {
    QColor accent;
    QColor mainBackground;
    QColor sectionBackground;
    QColor border;
    QColor text;
    QColor secondaryText;
    // Width of the outlines drawn in `border`.
    qreal borderWidth = 1;

    static ThemeColors of(AppTheme theme, const QPalette &desktop);
    // The theme of the application's current palette.
    static ThemeColors of(AppTheme theme);
};

// The palette a window takes for a theme: the desktop's own for the system
// theme, otherwise a light or dark palette built on the theme's colours.
QPalette themedPalette(AppTheme theme, const QPalette &desktop);
