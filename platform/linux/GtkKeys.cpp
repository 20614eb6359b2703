#include "platform/linux/GtkKeys.h"

#include <gdk/gdkkeysyms.h>

#include "platform/Messages.h"

namespace platform::gtk {
namespace {

struct KeyPair {
    unsigned int keyval;
    uint32_t virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {GDK_KEY_BackSpace, VK_BACK},    {GDK_KEY_Tab, VK_TAB},        {GDK_KEY_Return, VK_RETURN},
    {GDK_KEY_KP_Enter, VK_RETURN},   {GDK_KEY_Escape, VK_ESCAPE},  {GDK_KEY_space, VK_SPACE},
    {GDK_KEY_Page_Up, VK_PRIOR},     {GDK_KEY_Page_Down, VK_NEXT}, {GDK_KEY_End, VK_END},
    {GDK_KEY_Home, VK_HOME},         {GDK_KEY_Left, VK_LEFT},      {GDK_KEY_Up, VK_UP},
    {GDK_KEY_Right, VK_RIGHT},       {GDK_KEY_Down, VK_DOWN},      {GDK_KEY_Delete, VK_DELETE},
    {GDK_KEY_Shift_L, VK_SHIFT},     {GDK_KEY_Shift_R, VK_SHIFT},  {GDK_KEY_Control_L, VK_CONTROL},
    {GDK_KEY_Control_R, VK_CONTROL}, {GDK_KEY_Alt_L, VK_MENU},     {GDK_KEY_Alt_R, VK_MENU},
};

}  // namespace

uint32_t VirtualKeyFromKeyval(unsigned int keyval) {
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.keyval == keyval) {
            return pair.virtualKey;
        }
    }
    // Letters and digits use their upper-case character as the code.
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) {
        return keyval - GDK_KEY_a + 'A';
    }
    if ((keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) ||
        (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9)) {
        return keyval;
    }
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) {
        return VK_F1 + (keyval - GDK_KEY_F1);
    }
    return 0;
}

}  // namespace platform::gtk
