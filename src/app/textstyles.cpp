#include "textstyles.h"

#include <QFontDatabase>

namespace TextStyles {

QFont font(Style style)
{
    switch (style) {
    case Style::smallestCaption: return system(9);
    case Style::caption: return system(10);
    case Style::subheadline: return system(11);
    case Style::callout: return system(12);
    case Style::body: return system(13);
    case Style::headline: return system(13, QFont::Bold);
    case Style::title: return system(22);
    }
    return system(13);
}

QFont system(int pixelSize, QFont::Weight weight)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

QFont monospaced(int pixelSize, QFont::Weight weight)
{
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    return f;
}

} // namespace TextStyles
