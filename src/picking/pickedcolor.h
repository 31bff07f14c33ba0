#pragma once

#include "pickertarget.h"

#include <QPoint>

class ColorPickerLogic;
class DesktopServices;
class HistoryManager;
class SettingsManager;
struct ColorValue;

// The shared objects a colour picked from the screen goes into.
struct PickDestination {
    ColorPickerLogic &logic;
    HistoryManager &history;
    SettingsManager &settings;
    DesktopServices &desktop;
};

// Makes a picked colour the foreground or background (with the complementary
// rule), records it in the history, copies its hex without "#" when automatic
// copying is on, and confirms with the toast at `at`, copied or not.
void applyPickedColor(const PickDestination &destination, const ColorValue &color, PickerTarget target,
                      const QPoint &at);
