#pragma once

#include "color/colorvalue.h"

class QWidget;

// Drags `text` out as plain text, shown under the pointer as a rounded chip
// of `color`.
void startHexDrag(QWidget *source, const QString &text, const ColorValue &color);
