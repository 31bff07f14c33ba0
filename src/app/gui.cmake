# The desktop application's windows, tray, input manager and toast. Built on
# the core and, for screen picks and global shortcuts, on the desktop platform.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Widgets Svg)

add_library(tintora_gui STATIC
    ${CMAKE_SOURCE_DIR}/resources/tintora.qrc
    app/applinks.cpp
    app/icons.cpp
    app/stylesheet.cpp
    app/textstyles.cpp
    app/themecolors.cpp
    app/themecontroller.cpp
    app/tintoraapp.cpp
    app/trayiconcontroller.cpp
    app/traypanel.cpp
    app/updatecheck.cpp
    app/updatercontroller.cpp
    main/colorcard.cpp
    main/compliancebadge.cpp
    main/contrastrow.cpp
    main/headerbar.cpp
    main/hexdrag.cpp
    main/historystrip.cpp
    main/historyswatch.cpp
    main/hoverrow.cpp
    main/loginview.cpp
    main/mainwindow.cpp
    main/menurow.cpp
    main/paletterow.cpp
    main/pickbutton.cpp
    main/picksection.cpp
    main/separatorrule.cpp
    main/swapbutton.cpp
    main/traybottombar.cpp
    main/trayview.cpp
    picking/inputmanager.cpp
    picking/pickedcolor.cpp
    picking/toastview.cpp
    picking/toastwindowcontroller.cpp
    windows/aboutview.cpp
    windows/aboutwindowcontroller.cpp
    windows/licensesection.cpp
)
set_target_properties(tintora_gui PROPERTIES AUTORCC ON)
target_link_libraries(tintora_gui PUBLIC tintora_core Qt6::Widgets Qt6::Svg)
if(TARGET tintora_desktop_platform)
  target_link_libraries(tintora_gui PUBLIC tintora_desktop_platform)
else()
  # Without the desktop platform the interfaces' meta-objects come from here.
  target_sources(tintora_gui PRIVATE platform/desktopappearance.h platform/globalshortcuts.h platform/screensampler.h)
endif()
set(TINTORA_WEBSITE_URL "https://tintora.app" CACHE STRING "The product's home page")
set(TINTORA_PRIVACY_URL "https://tintora.app/privacy" CACHE STRING "The privacy policy")
set(TINTORA_TERMS_URL "https://tintora.app/terms" CACHE STRING "The terms of service")
set(TINTORA_HELP_URL "https://tintora.app/help" CACHE STRING "The help page behind Tintora Help")
set(TINTORA_UPDATE_FEED "" CACHE STRING "Address of the release feed (JSON); empty: updates come from the package manager")
target_compile_definitions(tintora_gui PRIVATE
    QT_NO_CAST_FROM_ASCII
    TINTORA_WEBSITE_URL="${TINTORA_WEBSITE_URL}"
    TINTORA_PRIVACY_URL="${TINTORA_PRIVACY_URL}"
    TINTORA_TERMS_URL="${TINTORA_TERMS_URL}"
    TINTORA_HELP_URL="${TINTORA_HELP_URL}"
    TINTORA_UPDATE_FEED="${TINTORA_UPDATE_FEED}")
target_compile_options(tintora_gui PRIVATE -Wall -Wextra)

# The desktop application, which is also the command line when given arguments.
target_link_libraries(tintora PRIVATE tintora_gui)
