#include "colorvalue.h"

#include "platform/colormanagement.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// printf-style "%.Nf", except that a value rounding to zero never prints "-0".
QString fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    const char *text = buffer;
    if (text[0] == '-' && std::all_of(text + 1, text + std::strlen(text), [](char c) { return c == '0' || c == '.'; }))
        ++text;
    return QString::fromLatin1(text);
}

int to8Bit(double component)
{
    // Halves away from zero, as std::round does.
    return std::clamp(int(std::round(component * 255.0)), 0, 255);
}

bool isLetterMarkOrDigit(char32_t c)
{
    if (c < 0x80)
        return (c >= u'0' && c <= u'9') || ((c | 0x20) >= u'a' && (c | 0x20) <= u'z');
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

// Code point starting at `i`, and how many UTF-16 units it takes.
char32_t codePointAt(QStringView s, qsizetype i, int *units)
{
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, s[i + 1]);
    }
    *units = 1;
    return c.unicode();
}

// Code point ending just before `end`.
char32_t codePointBefore(QStringView s, qsizetype end, int *units)
{
    const QChar c = s[end - 1];
    if (c.isLowSurrogate() && end >= 2 && s[end - 2].isHighSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(s[end - 2], c);
    }
    *units = 1;
    return c.unicode();
}

QStringView trimToLettersAndDigits(QStringView s)
{
    qsizetype begin = 0, end = s.size();
    int units = 1;
    while (begin < end && !isLetterMarkOrDigit(codePointAt(s, begin, &units)))
        begin += units;
    while (end > begin && !isLetterMarkOrDigit(codePointBefore(s, end, &units)))
        end -= units;
    return s.sliced(begin, end - begin);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

// Reads an unsigned hexadecimal number from the start: white space skipped, an
// optional 0x prefix, then digits up to the first other character. A value too
// large for 64 bits saturates.
std::optional<quint64> scanHex(QStringView s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    bool sawDigit = false;
    if (i < s.size() && s[i] == u'0') {
        sawDigit = true;
        ++i;
        if (i < s.size() && (s[i] == u'x' || s[i] == u'X'))
            ++i;
    }
    quint64 value = 0;
    bool saturated = false;
    for (; i < s.size(); ++i) {
        const int digit = hexDigit(s[i]);
        if (digit < 0)
            break;
        sawDigit = true;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            saturated = true;
        value = (value << 4) | quint64(digit);
    }
    if (!sawDigit)
        return std::nullopt;
    return saturated ? std::numeric_limits<quint64>::max() : value;
}

// User-perceived characters (grapheme clusters).
qsizetype characterCount(QStringView s)
{
    if (std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }))
        return s.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s.data(), s.size());
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

struct HexParse {
    bool scanned = false;
    quint64 value = 0;
    qsizetype count = 0;
};

HexParse parseHex(QStringView text)
{
    const QStringView trimmed = trimToLettersAndDigits(text);
    const auto value = scanHex(trimmed);
    return {value.has_value(), value.value_or(0), characterCount(trimmed)};
}

std::optional<ColorValue> decode(quint64 value, qsizetype count)
{
    auto byte = [value](int shift) { return double((value >> shift) & 0xFF) / 255.0; };
    switch (count) {
    case 8: return ColorValue{byte(16), byte(8), byte(0), byte(24)};
    case 6: return ColorValue{byte(16), byte(8), byte(0), 1.0};
    case 3: {
        auto nibble = [value](int shift) { return double(((value >> shift) & 0xF) * 17) / 255.0; };
        return ColorValue{nibble(8), nibble(4), nibble(0), 1.0};
    }
    default: return std::nullopt;
    }
}

// Hue in 0...1 from the components, deciding ties for the maximum red first,
// then green, then blue.
double hueOf(double r, double g, double b, double max, double min)
{
    if (max == min)
        return 0;
    const double d = max - min;
    double h;
    if (max == r)
        h = (g - b) / d + (g < b ? 6 : 0);
    else if (max == g)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    return h / 6;
}

} // namespace

ColorValue ColorValue::clipped(double red, double green, double blue, double alpha)
{
    auto clip = [](double v) { return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0); };
    return {clip(red), clip(green), clip(blue), clip(alpha)};
}

std::optional<ColorValue> ColorValue::fromHex(QStringView text)
{
    const HexParse parse = parseHex(text);
    if (!parse.scanned)
        return std::nullopt;
    return decode(parse.value, parse.count);
}

ColorValue ColorValue::fromHexOrBlack(QStringView text)
{
    const HexParse parse = parseHex(text);
    return decode(parse.value, parse.count).value_or(black());
}

ColorValue ColorValue::fromHSB(double hue, double saturation, double brightness, double alpha)
{
    const double h = hue - std::floor(hue);
    const double h6 = h * 6;
    const int sector = std::min(int(h6), 5);
    const double f = h6 - sector;
    const double b = brightness, s = saturation;
    const double p = b * (1 - s);
    const double q = b * (1 - s * f);
    const double t = b * (1 - s * (1 - f));
    switch (sector) {
    case 0: return {b, t, p, alpha};
    case 1: return {q, b, p, alpha};
    case 2: return {p, b, t, alpha};
    case 3: return {p, q, b, alpha};
    case 4: return {t, p, b, alpha};
    default: return {b, p, q, alpha};
    }
}

HSB ColorValue::toHSB() const
{
    const double max = std::max({red, green, blue});
    const double min = std::min({red, green, blue});
    return {hueOf(red, green, blue, max, min), max == 0 ? 0 : (max - min) / max, max, alpha};
}

QString ColorValue::toHex() const
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", to8Bit(red), to8Bit(green), to8Bit(blue));
    return QString::fromLatin1(buffer);
}

QString ColorValue::toRGBString() const
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(to8Bit(red)).arg(to8Bit(green)).arg(to8Bit(blue));
}

QString ColorValue::toLABString() const
{
    const auto lab = ColorManagement::toLab(*this);
    if (!lab)
        return QStringLiteral("lab(100, 0, 0)");
    return QStringLiteral("lab(") + fixed((*lab)[0], 0) + QStringLiteral(", ") + fixed((*lab)[1], 0) + QStringLiteral(", ") + fixed((*lab)[2], 0)
        + u')';
}

QString ColorValue::toHSBString() const
{
    const HSB hsb = toHSB();
    return QStringLiteral("hsb(") + fixed(hsb.hue * 360, 0) + QStringLiteral(", ") + fixed(hsb.saturation * 100, 0) + QStringLiteral("%, ")
        + fixed(hsb.brightness * 100, 0) + QStringLiteral("%)");
}

QString ColorValue::toHSLString() const
{
    const double max = std::max({red, green, blue});
    const double min = std::min({red, green, blue});
    const double lightness = (max + min) / 2;
    double saturation = 0;
    if (max != min) {
        const double d = max - min;
        saturation = lightness > 0.5 ? d / (2 - max - min) : d / (max + min);
    }
    const double hue = hueOf(red, green, blue, max, min);
    return QStringLiteral("hsl(") + fixed(hue * 360, 0) + QStringLiteral(", ") + fixed(saturation * 100, 0) + QStringLiteral("%, ")
        + fixed(lightness * 100, 0) + QStringLiteral("%)");
}

QString ColorValue::toOpenGLString() const
{
    return QStringLiteral("rgba(") + fixed(red, 5) + QStringLiteral(", ") + fixed(green, 5) + QStringLiteral(", ") + fixed(blue, 5) + QStringLiteral(", ")
        + fixed(alpha, 1) + u')';
}

QString ColorValue::toCMYKString() const
{
    const auto cmyk = ColorManagement::toCmyk(*this);
    if (!cmyk)
        return QStringLiteral("cmyk(0%, 0%, 0%, 100%)");
    return QStringLiteral("cmyk(") + fixed((*cmyk)[0] * 100, 0) + QStringLiteral("%, ") + fixed((*cmyk)[1] * 100, 0) + QStringLiteral("%, ")
        + fixed((*cmyk)[2] * 100, 0) + QStringLiteral("%, ") + fixed((*cmyk)[3] * 100, 0) + QStringLiteral("%)");
}

QString ColorValue::getFormattedString(CopyFormat format) const
{
    switch (format) {
    case CopyFormat::hex: return toHex();
    case CopyFormat::rgb: return toRGBString();
    case CopyFormat::lab: return toLABString();
    case CopyFormat::hsb: return toHSBString();
    case CopyFormat::hsl: return toHSLString();
    case CopyFormat::opengl: return toOpenGLString();
    case CopyFormat::cmyk: return toCMYKString();
    }
    return toHex();
}

bool ColorValue::isBright() const { return 0.299 * red + 0.587 * green + 0.114 * blue > 0.65; }

bool ColorValue::isLight() const { return 0.2126 * red + 0.7152 * green + 0.0722 * blue > 0.5; }

QString filteredHex(QStringView text)
{
    QString result;
    for (QChar c : text) {
        if (hexDigit(c) >= 0) {
            result += c.toUpper();
            if (result.size() == 6)
                break;
        }
    }
    return result;
}
