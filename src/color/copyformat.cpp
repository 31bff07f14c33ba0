#include "copyformat.h"

namespace CopyFormats {

QString rawValue(CopyFormat format)
{
    switch (format) {
    case CopyFormat::hex: return QStringLiteral("HEX");
    case CopyFormat::rgb: return QStringLiteral("RGB");
    case CopyFormat::lab: return QStringLiteral("LAB");
    case CopyFormat::hsb: return QStringLiteral("HSB");
    case CopyFormat::hsl: return QStringLiteral("HSL");
    case CopyFormat::opengl: return QStringLiteral("OpenGL");
    case CopyFormat::cmyk: return QStringLiteral("CMYK");
    }
    return {};
}

std::optional<CopyFormat> fromRawValue(const QString &raw)
{
    for (CopyFormat format : all) {
        if (rawValue(format) == raw)
            return format;
    }
    return std::nullopt;
}

} // namespace CopyFormats
