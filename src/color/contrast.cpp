#include "contrast.h"

#include "colorvalue.h"

#include <algorithm>
#include <cmath>

namespace {

double linearized(double c)
{
    // 0.03928 is the threshold as written in WCAG 2.0.
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const ColorValue &color)
{
    return 0.2126 * linearized(color.red) + 0.7152 * linearized(color.green) + 0.0722 * linearized(color.blue);
}

double contrastRatio(const ColorValue &first, const ColorValue &second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool passesLargeAA(double ratio) { return ratio >= 3; }
bool passesNormalAA(double ratio) { return ratio >= 4.5; }
bool passesLargeAAA(double ratio) { return ratio >= 4.5; }
bool passesNormalAAA(double ratio) { return ratio >= 7; }

ComplianceSummary checkWCAG3Compliance(double ratio)
{
    if (ratio >= 7)
        return {QStringLiteral("Excellent"), QStringLiteral("AAA"), WCAGLevel::aaa};
    if (ratio >= 4.5)
        return {QStringLiteral("Good"), QStringLiteral("AA"), WCAGLevel::aa};
    if (ratio >= 3)
        return {QStringLiteral("Large Text"), QStringLiteral("AA Large"), WCAGLevel::aaLarge};
    return {QStringLiteral("Poor"), QStringLiteral("Fail"), WCAGLevel::fail};
}

QString wcagLevelName(WCAGLevel level)
{
    switch (level) {
    case WCAGLevel::fail: return QStringLiteral("fail");
    case WCAGLevel::aaLarge: return QStringLiteral("aaLarge");
    case WCAGLevel::aa: return QStringLiteral("aa");
    case WCAGLevel::aaa: return QStringLiteral("aaa");
    }
    return QStringLiteral("fail");
}
