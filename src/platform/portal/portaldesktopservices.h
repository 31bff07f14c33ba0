#pragma once

#include "platform/qtdesktopservices.h"

// A Wayland session (or any platform but X11): screen picks and the capture
// check go through the desktop portal; keys are bound by the desktop itself.
class PortalDesktopServices : public QtDesktopServices
{
public:
    // Granted while the portal's Screenshot interface answers.
    bool canCaptureScreen() const override;
    std::unique_ptr<ScreenSampler> createSampler() override;
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutStore &store) override;
};
