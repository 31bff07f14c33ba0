# The desktop application's windows, tray, input manager and toast. Built on
# the core and, for screen picks and global shortcuts, on the desktop platform.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Widgets Svg)

add_library(tintora_gui STATIC
    ${CMAKE_SOURCE_DIR}/resources/tintora.qrc
    app/icons.cpp
    app/textstyles.cpp
    app/themecolors.cpp
    picking/inputmanager.cpp
    picking/pickedcolor.cpp
    picking/toastview.cpp
    picking/toastwindowcontroller.cpp
)
set_target_properties(tintora_gui PROPERTIES AUTORCC ON)
target_link_libraries(tintora_gui PUBLIC tintora_core Qt6::Widgets Qt6::Svg)
if(TARGET tintora_desktop_platform)
  target_link_libraries(tintora_gui PUBLIC tintora_desktop_platform)
else()
  # Without the desktop platform the interfaces' meta-objects come from here.
  target_sources(tintora_gui PRIVATE platform/globalshortcuts.h platform/screensampler.h)
endif()
target_compile_definitions(tintora_gui PRIVATE QT_NO_CAST_FROM_ASCII)
target_compile_options(tintora_gui PRIVATE -Wall -Wextra)
