#pragma once

#include <cstdint>

namespace platform::gtk {

// The window library's key code for a GDK key value; 0 for keys it has no code for.
uint32_t VirtualKeyFromKeyval(unsigned int keyval);

}  // namespace platform::gtk
