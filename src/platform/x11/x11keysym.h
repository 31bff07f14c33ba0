#pragma once

#include <Qt>
#include <cstdint>

// The X keysym of a Qt key; keypad keys give the keypad keysym (KP_5, not 5).
// 0 for a key X has no keysym for.
namespace X11Keysym {

std::uint32_t fromQt(int qtKey, bool keypad);

} // namespace X11Keysym
