#pragma once

#include "color/colorvalue.h"

#include <QObject>
#include <functional>
#include <optional>

// Picks one pixel's colour from the screen: shows a magnifier the user moves
// and clicks, or cancels with Escape. Used once per pick.
class ScreenSampler : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // `done` runs once, on the main thread: the picked sRGB colour, or nothing
    // when the user cancelled.
    virtual void show(std::function<void(std::optional<ColorValue>)> done) = 0;
};
