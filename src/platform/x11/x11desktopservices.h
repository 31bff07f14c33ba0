#pragma once

#include "platform/qtdesktopservices.h"

// An X11 session: the screen may always be read, keys are grabbed by us.
class X11DesktopServices : public QtDesktopServices
{
public:
    bool canCaptureScreen() const override { return true; }
    std::unique_ptr<ScreenSampler> createSampler() override;
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutStore &store) override;
};
