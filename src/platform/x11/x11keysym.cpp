#include "x11keysym.h"

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

namespace X11Keysym {
namespace {

struct Pair {
    int qtKey;
    std::uint32_t keysym;
};

constexpr Pair keypadKeys[] = {
    {Qt::Key_Enter, XK_KP_Enter},     {Qt::Key_Asterisk, XK_KP_Multiply}, {Qt::Key_Plus, XK_KP_Add},
    {Qt::Key_Minus, XK_KP_Subtract},  {Qt::Key_Period, XK_KP_Decimal},    {Qt::Key_Slash, XK_KP_Divide},
    {Qt::Key_Equal, XK_KP_Equal},     {Qt::Key_Clear, XK_KP_Begin},       {Qt::Key_0, XK_KP_0},
    {Qt::Key_1, XK_KP_1},             {Qt::Key_2, XK_KP_2},               {Qt::Key_3, XK_KP_3},
    {Qt::Key_4, XK_KP_4},             {Qt::Key_5, XK_KP_5},               {Qt::Key_6, XK_KP_6},
    {Qt::Key_7, XK_KP_7},             {Qt::Key_8, XK_KP_8},               {Qt::Key_9, XK_KP_9},
};

constexpr Pair otherKeys[] = {
    {Qt::Key_Return, XK_Return},    {Qt::Key_Enter, XK_KP_Enter}, {Qt::Key_Tab, XK_Tab},
    {Qt::Key_Backspace, XK_BackSpace}, {Qt::Key_Escape, XK_Escape}, {Qt::Key_Delete, XK_Delete},
    {Qt::Key_Home, XK_Home},        {Qt::Key_End, XK_End},        {Qt::Key_PageUp, XK_Prior},
    {Qt::Key_PageDown, XK_Next},    {Qt::Key_Left, XK_Left},      {Qt::Key_Right, XK_Right},
    {Qt::Key_Up, XK_Up},            {Qt::Key_Down, XK_Down},      {Qt::Key_Help, XK_Help},
    {Qt::Key_Clear, XK_Clear},
};

std::uint32_t find(const auto &table, int qtKey)
{
    for (const Pair &pair : table) {
        if (pair.qtKey == qtKey)
            return pair.keysym;
    }
    return 0;
}

} // namespace

std::uint32_t fromQt(int qtKey, bool keypad)
{
    if (keypad)
        return find(keypadKeys, qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return XK_F1 + std::uint32_t(qtKey - Qt::Key_F1);
    // Printable ASCII keys share their codes with their keysyms; letters give
    // the capital, which lies on the same key as the small one.
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_AsciiTilde)
        return std::uint32_t(qtKey);
    return find(otherKeys, qtKey);
}

} // namespace X11Keysym
