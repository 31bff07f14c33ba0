#pragma once

#include <QFont>

// The type scale of every view, in device-independent pixels.
namespace TextStyles {

enum class Style { smallestCaption, caption, subheadline, callout, body, headline, title };

QFont font(Style style);
QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);
QFont monospaced(int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace TextStyles
