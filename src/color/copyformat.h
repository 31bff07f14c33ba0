#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The seven text notations. The raw value is the label, the identity and the
// stored form at once.
enum class CopyFormat { hex, rgb, lab, hsb, hsl, opengl, cmyk };

namespace CopyFormats {

inline constexpr std::array<CopyFormat, 7> all = {CopyFormat::hex, CopyFormat::rgb, CopyFormat::lab,
                                                  CopyFormat::hsb, CopyFormat::hsl, CopyFormat::opengl,
                                                  CopyFormat::cmyk};

QString rawValue(CopyFormat format);
// Exact, case-sensitive match against the seven raw values.
std::optional<CopyFormat> fromRawValue(const QString &raw);

} // namespace CopyFormats
