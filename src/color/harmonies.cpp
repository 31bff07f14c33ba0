#include "harmonies.h"

#include <algorithm>
#include <array>

ColorValue calculateComplementaryColor(const ColorValue &color)
{
    return {1 - color.red, 1 - color.green, 1 - color.blue, color.alpha};
}

QList<ColorValue> generateToneOnTone(const ColorValue &color)
{
    const HSB hsb = color.toHSB();
    // Offsets are kept in tenths so that repeated shifts stay exact.
    std::array<int, 5> tenths = {-2, -1, 0, 1, 2};
    for (int shift = 0; shift < 5; ++shift) {
        if (hsb.brightness + tenths.back() / 10.0 > 1) {
            for (int &t : tenths)
                --t;
        } else if (hsb.brightness + tenths.front() / 10.0 < 0) {
            for (int &t : tenths)
                ++t;
        } else {
            break;
        }
    }
    QList<ColorValue> row;
    row.reserve(5);
    for (int t : tenths) {
        const double brightness = std::max(std::min(hsb.brightness + t / 10.0, 1.0), 0.0);
        row << ColorValue::fromHSB(hsb.hue, hsb.saturation, brightness, 1);
    }
    return row;
}

QList<ColorValue> generateToneAndTone(const ColorValue &color)
{
    const HSB hsb = color.toHSB();
    QList<ColorValue> row;
    row.reserve(5);
    for (double offset : {0.0, 0.2, 0.4, 0.6, 0.8}) {
        double hue = hsb.hue + offset;
        if (hue > 1)
            hue -= 1;
        row << ColorValue::fromHSB(hue, hsb.saturation, hsb.brightness, 1);
    }
    return row;
}
