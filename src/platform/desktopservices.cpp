#include "desktopservices.h"

#include "portal/portaldesktopservices.h"
#include "x11/x11desktopservices.h"

#include <QGuiApplication>

std::unique_ptr<DesktopServices> createDesktopServices()
{
    if (QGuiApplication::platformName() == u"xcb")
        return std::make_unique<X11DesktopServices>();
    // Wayland, and any other platform: what the desktop portals offer.
    return std::make_unique<PortalDesktopServices>();
}
