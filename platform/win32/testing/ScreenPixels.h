#pragma once

#include <cstdint>

// What the screen shows, read back through the desktop's device context.
namespace platform::testwin32 {

// 0xRRGGBB of the screen pixel; false when it cannot be read.
bool ReadScreenPixel(int x, int y, uint32_t& rgb);

}  // namespace platform::testwin32
