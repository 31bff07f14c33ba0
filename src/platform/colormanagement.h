#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct ColorValue;

// ICC conversions behind the Lab and CMYK notations. Safe to call from any thread.
namespace ColorManagement {

// CIE L*a*b* relative to D50, the white of the profile connection space
// (sRGB's D65 adapted with Bradford): L in 0...100, a and b signed.
std::optional<std::array<double, 3>> toLab(const ColorValue &color);

// Cyan, magenta, yellow and black in 0...1 through the CMYK output profile;
// nothing when no usable profile was found.
std::optional<std::array<double, 4>> toCmyk(const ColorValue &color);

// Uses this profile file for CMYK from now on (an empty path returns to the
// search of the standard folders). Returns false when the file is no usable
// CMYK output profile; CMYK is then unavailable until another path is set.
bool setCmykProfilePath(const QString &path);

// The profile file in use, or empty when there is none.
QString cmykProfilePath();

// Where the CMYK profile is looked for, in order.
QStringList cmykProfileCandidates();

} // namespace ColorManagement
