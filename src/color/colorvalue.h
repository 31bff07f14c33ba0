#pragma once

#include "copyformat.h"

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <optional>

// Hue, saturation and brightness, each in 0...1 (hue 0 and 1 are both red).
struct HSB {
    double hue = 0;
    double saturation = 0;
    double brightness = 0;
    double alpha = 1;
};

// An sRGB colour: gamma-encoded components and opacity, each in 0...1.
struct ColorValue {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    static constexpr ColorValue white() { return {1, 1, 1, 1}; }
    static constexpr ColorValue black() { return {0, 0, 0, 1}; }

    // Components from outside the model (a screen sample, a wide-gamut colour)
    // are clipped to 0...1 on entry.
    static ColorValue clipped(double red, double green, double blue, double alpha = 1);

    // Strict parser: no colour on bad input.
    static std::optional<ColorValue> fromHex(QStringView text);
    // Lenient parser: opaque black on bad input.
    static ColorValue fromHexOrBlack(QStringView text);

    static ColorValue fromHSB(double hue, double saturation, double brightness, double alpha = 1);
    HSB toHSB() const;

    QString toHex() const;
    QString toRGBString() const;
    QString toLABString() const;
    QString toHSBString() const;
    QString toHSLString() const;
    QString toOpenGLString() const;
    QString toCMYKString() const;
    QString getFormattedString(CopyFormat format) const;

    // Readable-text tests on the gamma-encoded components.
    bool isBright() const;
    bool isLight() const;

    friend bool operator==(const ColorValue &, const ColorValue &) = default;
};

Q_DECLARE_METATYPE(ColorValue)

// Keeps only hexadecimal digits, at most six, in capitals; never adds a "#".
QString filteredHex(QStringView text);
