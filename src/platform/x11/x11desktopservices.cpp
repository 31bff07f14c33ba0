#include "x11desktopservices.h"

#include "x11globalshortcuts.h"
#include "x11screensampler.h"

std::unique_ptr<ScreenSampler> X11DesktopServices::createSampler() { return std::make_unique<X11ScreenSampler>(); }

std::unique_ptr<GlobalShortcuts> X11DesktopServices::createGlobalShortcuts(ShortcutStore &store)
{
    return std::make_unique<X11GlobalShortcuts>(store);
}
