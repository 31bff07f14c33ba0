#pragma once

#include <QColor>

// The colours of passing and failing contrast verdicts.
namespace VerdictColors {

inline const QColor pass{0x34, 0xC7, 0x59};
inline const QColor fail{0xFF, 0x3B, 0x30};

} // namespace VerdictColors
