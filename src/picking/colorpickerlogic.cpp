#include "colorpickerlogic.h"

#include "color/colornamemanager.h"
#include "color/contrast.h"
#include "color/harmonies.h"
#include "settings/settingsmanager.h"

#include "platform/orderedjson.h"

#include <QStringList>
#include <cstdio>

namespace {

// Assigns and announces only real changes.
template <typename T, typename Signal>
void assign(ColorPickerLogic *owner, T &field, const T &value, Signal changed)
{
    if (field == value)
        return;
    field = value;
    emit(owner->*changed)();
}

QString ratioText(double ratio)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", ratio);
    return QString::fromLatin1(buffer);
}

QString passFail(bool passes) { return passes ? QStringLiteral("Pass") : QStringLiteral("Fail"); }

QString withOneHash(const QString &hex) { return hex.startsWith(u'#') ? hex : u'#' + hex; }

// A JSON string literal, quotes included. Escaping keeps the text valid JSON
// even for a colour name holding a quotation mark or a backslash.
QString jsonString(const QString &text) { return QString::fromUtf8(OrderedJson::string(text)); }

} // namespace

ColorPickerLogic::ColorPickerLogic(QObject *parent) : QObject(parent) {}

SettingsManager *ColorPickerLogic::settings() const { return m_settings; }

void ColorPickerLogic::setSettings(SettingsManager *settings) { m_settings = settings; }

bool ColorPickerLogic::autoApplyComplementary() const { return m_settings && m_settings->autoApplyComplementary(); }

void ColorPickerLogic::setForegroundFields(const ColorValue &color)
{
    assign(this, m_foregroundColor, color, &ColorPickerLogic::foregroundColorChanged);
    assign(this, m_foregroundHex, color.toHex(), &ColorPickerLogic::foregroundHexChanged);
    assign(this, m_foregroundRgb, color.toRGBString(), &ColorPickerLogic::foregroundRgbChanged);
    assign(this, m_foregroundLab, color.toLABString(), &ColorPickerLogic::foregroundLabChanged);
    assign(this, m_foregroundHsb, color.toHSBString(), &ColorPickerLogic::foregroundHsbChanged);
    assign(this, m_foregroundColorName, ColorNameManager::shared().findClosestColorName(color),
           &ColorPickerLogic::foregroundColorNameChanged);
    generateToneOnTone(color);
    generateToneAndTone(color);
}

void ColorPickerLogic::setBackgroundFields(const ColorValue &color)
{
    assign(this, m_backgroundColor, color, &ColorPickerLogic::backgroundColorChanged);
    assign(this, m_backgroundHex, color.toHex(), &ColorPickerLogic::backgroundHexChanged);
    assign(this, m_backgroundColorName, ColorNameManager::shared().findClosestColorName(color),
           &ColorPickerLogic::backgroundColorNameChanged);
}

void ColorPickerLogic::generateToneOnTone(const ColorValue &color)
{
    assign(this, m_toneOnToneColors, ::generateToneOnTone(color), &ColorPickerLogic::toneOnToneColorsChanged);
}

void ColorPickerLogic::generateToneAndTone(const ColorValue &color)
{
    assign(this, m_toneAndToneColors, ::generateToneAndTone(color), &ColorPickerLogic::toneAndToneColorsChanged);
}

void ColorPickerLogic::updateForegroundColor(const ColorValue &color, bool propagate)
{
    setForegroundFields(color);
    if (propagate && autoApplyComplementary())
        setBackgroundFields(calculateComplementaryColor(color));
}

void ColorPickerLogic::updateBackgroundColor(const ColorValue &color, bool propagate)
{
    setBackgroundFields(color);
    // The complement is applied once, without coming back.
    if (propagate && autoApplyComplementary())
        setForegroundFields(calculateComplementaryColor(color));
}

void ColorPickerLogic::setCustomHex(const QString &text, bool isForeground)
{
    QString hex = text.trimmed().toUpper();
    if (hex.startsWith(u'#'))
        hex.remove(0, 1);
    if (hex.size() != 6 && hex.size() != 3)
        return;
    const auto color = ColorValue::fromHex(hex);
    if (!color)
        return;
    if (isForeground)
        updateForegroundColor(*color, true);
    else
        updateBackgroundColor(*color, true);
}

void ColorPickerLogic::swapColors()
{
    const ColorValue foreground = m_foregroundColor;
    const ColorValue background = m_backgroundColor;
    updateForegroundColor(background, false);
    setBackgroundFields(foreground);
}

double ColorPickerLogic::contrastRatio() const { return ::contrastRatio(m_foregroundColor, m_backgroundColor); }

QString ColorPickerLogic::generateCopyAllText() const
{
    const QString separator = QStringLiteral(" \u00B7 ");
    const double ratio = contrastRatio();
    const ColorValue &fg = m_foregroundColor;
    const ColorValue &bg = m_backgroundColor;
    const QStringList lines = {
        QStringLiteral("Foreground: Hex ") + m_foregroundHex + separator + QStringLiteral("RGB ") + m_foregroundRgb + separator
            + QStringLiteral("HSB ") + m_foregroundHsb + separator + QStringLiteral("HSL ") + fg.toHSLString() + separator + QStringLiteral("OpenGL ")
            + fg.toOpenGLString(),
        QStringLiteral("Background: Hex ") + m_backgroundHex + separator + QStringLiteral("RGB ") + bg.toRGBString() + separator
            + QStringLiteral("HSB ") + bg.toHSBString() + separator + QStringLiteral("HSL ") + bg.toHSLString() + separator + QStringLiteral("OpenGL ")
            + bg.toOpenGLString(),
        QStringLiteral("Contrast Ratio: ") + ratioText(ratio) + QStringLiteral(":1"),
        QStringLiteral("WCAG Compliance: AA Large (") + passFail(ratio >= 3) + QStringLiteral(")") + separator + QStringLiteral("AA (")
            + passFail(ratio >= 4.5) + QStringLiteral(")") + separator + QStringLiteral("AAA (") + passFail(ratio >= 7) + QStringLiteral(")"),
    };
    return lines.join(u'\n');
}

QString ColorPickerLogic::generateCopyAllJson() const
{
    // Written member by member: one per line, two blanks per level.
    QStringList lines;
    auto member = [&lines](int depth, const QString &key, const QString &value, bool last) {
        lines << QString(depth * 2, u' ') + QStringLiteral("\"%1\": %2%3").arg(key, value, last ? QString() : QStringLiteral(","));
    };
    auto open = [&lines](int depth, const QString &key) {
        lines << QString(depth * 2, u' ') + QStringLiteral("\"%1\": {").arg(key);
    };
    auto close = [&lines](int depth, bool last) {
        lines << QString(depth * 2, u' ') + (last ? QStringLiteral("}") : QStringLiteral("},"));
    };
    auto colorObject = [&](const QString &key, const QString &hex, const QString &rgb, const QString &hsb,
                           const ColorValue &color, const QString &name, bool last) {
        open(2, key);
        member(3, QStringLiteral("hex"), jsonString(withOneHash(hex)), false);
        member(3, QStringLiteral("rgb"), jsonString(rgb), false);
        member(3, QStringLiteral("hsb"), jsonString(hsb), false);
        member(3, QStringLiteral("hsl"), jsonString(color.toHSLString()), false);
        member(3, QStringLiteral("opengl"), jsonString(color.toOpenGLString()), false);
        member(3, QStringLiteral("name"), jsonString(name), true);
        close(2, last);
    };
    auto boolean = [](bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); };

    const double ratio = contrastRatio();
    const ColorValue &bg = m_backgroundColor;
    lines << QStringLiteral("{");
    open(1, QStringLiteral("colors"));
    colorObject(QStringLiteral("foreground"), m_foregroundHex, m_foregroundRgb, m_foregroundHsb, m_foregroundColor,
                m_foregroundColorName, false);
    colorObject(QStringLiteral("background"), m_backgroundHex, bg.toRGBString(), bg.toHSBString(), bg,
                m_backgroundColorName, true);
    close(1, false);
    member(1, QStringLiteral("ratio"), jsonString(ratioText(ratio)), false);
    open(1, QStringLiteral("wcag"));
    member(2, QStringLiteral("ratio30"), boolean(ratio >= 3), false);
    member(2, QStringLiteral("ratio45"), boolean(ratio >= 4.5), false);
    member(2, QStringLiteral("ratio70"), boolean(ratio >= 7), true);
    close(1, true);
    lines << QStringLiteral("}");
    return lines.join(u'\n');
}
