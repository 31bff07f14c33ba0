# The desktop side of the platform layer, behind the interfaces in this
# folder: X11 (key grabs through xcb, the magnifier) and Wayland (the desktop
# portals over D-Bus).
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Widgets DBus)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET GLOBAL xcb xcb-keysyms)

add_library(tintora_desktop_platform STATIC
    platform/desktopappearance.h
    platform/desktopservices.h
    platform/desktopservices.cpp
    platform/globalshortcuts.h
    platform/screensampler.h
    platform/shortcutrecorder.cpp
    platform/qtdesktopservices.cpp
    platform/portal/desktopboundshortcuts.h
    platform/portal/portaldesktopappearance.cpp
    platform/portal/portaldesktopservices.cpp
    platform/portal/portalscreensampler.cpp
    platform/x11/magnifierwindow.cpp
    platform/x11/x11desktopservices.cpp
    platform/x11/x11globalshortcuts.cpp
    platform/x11/x11keysym.cpp
    platform/x11/x11screensampler.cpp
)
target_link_libraries(tintora_desktop_platform
    PUBLIC tintora_core Qt6::Gui Qt6::Widgets Qt6::DBus
    PRIVATE PkgConfig::XCB)
target_compile_definitions(tintora_desktop_platform PRIVATE QT_NO_CAST_FROM_ASCII)
target_compile_options(tintora_desktop_platform PRIVATE -Wall -Wextra)
