#pragma once

#include "colorvalue.h"

#include <QList>

// The RGB inverse (not a hue rotation), alpha kept.
ColorValue calculateComplementaryColor(const ColorValue &color);

// Five brightness steps of the colour's hue and saturation, darkest first, opaque.
QList<ColorValue> generateToneOnTone(const ColorValue &color);

// Five hues a fifth of a turn apart at the colour's saturation and brightness, opaque.
QList<ColorValue> generateToneAndTone(const ColorValue &color);
