#pragma once

#include "color/colorvalue.h"

// What a quick-copy slot puts on the clipboard: the colour's text in the
// slot's notation, hex without any "#".
inline QString slotCopyText(const ColorValue &color, CopyFormat format)
{
    QString text = color.getFormattedString(format);
    if (format == CopyFormat::hex)
        text.remove(u'#');
    return text;
}
