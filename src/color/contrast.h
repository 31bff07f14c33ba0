#pragma once

#include <QString>

struct ColorValue;

// The overall grade of a contrast ratio, in rising order.
enum class WCAGLevel { fail, aaLarge, aa, aaa };

struct ComplianceSummary {
    QString title;
    QString score;
    WCAGLevel level = WCAGLevel::fail;
};

// WCAG 2 relative luminance in 0...1 (alpha ignored).
double relativeLuminance(const ColorValue &color);

// (L1 + 0.05) / (L2 + 0.05) with L1 the larger luminance: 1...21, symmetric.
double contrastRatio(const ColorValue &first, const ColorValue &second);

// Threshold checks; equality passes.
bool passesLargeAA(double ratio);
bool passesNormalAA(double ratio);
bool passesLargeAAA(double ratio);
bool passesNormalAAA(double ratio);

ComplianceSummary checkWCAG3Compliance(double ratio);

// Stable identifier of a level ("fail", "aaLarge", "aa", "aaa").
QString wcagLevelName(WCAGLevel level);
