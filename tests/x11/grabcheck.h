#pragma once

#include <cstdlib>
#include <xcb/xcb.h>

// What another client could take now: the keyboard and the pointer are free
// unless some program (the one under test) holds them. Whatever is taken here
// is given back at once.
struct GrabCheck {
    bool keyboardFree = false;
    bool pointerFree = false;

    static GrabCheck now()
    {
        GrabCheck check;
        xcb_connection_t *other = xcb_connect(nullptr, nullptr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
        auto *keyboard = xcb_grab_keyboard_reply(
            other, xcb_grab_keyboard(other, false, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        auto *pointer = xcb_grab_pointer_reply(other,
                                               xcb_grab_pointer(other, false, root, 0, XCB_GRAB_MODE_ASYNC,
                                                                XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                                                                XCB_CURRENT_TIME),
                                               nullptr);
        check.keyboardFree = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
        check.pointerFree = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(keyboard);
        std::free(pointer);
        // Given back before returning, so the program under test never finds
        // them taken by this check.
        xcb_ungrab_keyboard(other, XCB_CURRENT_TIME);
        xcb_ungrab_pointer(other, XCB_CURRENT_TIME);
        std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
        xcb_disconnect(other);
        return check;
    }
};
