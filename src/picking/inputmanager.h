#pragma once

#include "pickertarget.h"
#include "shortcuttype.h"

#include <QObject>
#include <memory>

class ColorPickerLogic;
struct ColorValue;
class DesktopServices;
class GlobalShortcuts;
class HistoryManager;
class ScreenSampler;
class SettingsManager;

// Connects the twelve global shortcuts to the picker state: screen picks into
// the foreground or background (one sampler at a time), copies of the
// foreground in a quick-copy notation or of a My Palette colour, and the
// always-on-top switch. The command line's actions arrive here too.
class InputManager : public QObject
{
    Q_OBJECT

public:
    InputManager(ColorPickerLogic &logic, HistoryManager &history, SettingsManager &settings,
                 DesktopServices &desktop, QObject *parent = nullptr);
    ~InputManager() override;

    // Registers the shortcut handlers; once, right after construction.
    void setupMonitors();

    // Starts a screen pick unless one is open already.
    void pickColor(PickerTarget target);
    bool isSampling() const { return m_currentSampler != nullptr; }

    // What a press of the shortcut does.
    void handleShortcut(ShortcutType type);
    // The same by shortcut name; false for a name that is none.
    bool handleAction(const QString &name);

private:
    void finishPick(PickerTarget target, const ColorValue &color, const QPoint &at);
    void copySlotValue(int index);
    void copyPaletteColor(int index);

    ColorPickerLogic &m_logic;
    HistoryManager &m_history;
    SettingsManager &m_settings;
    DesktopServices &m_desktop;
    std::unique_ptr<GlobalShortcuts> m_shortcuts;
    std::unique_ptr<ScreenSampler> m_currentSampler;
};
