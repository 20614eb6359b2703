#include "platform/win32/testing/ScreenPixels.h"

#include <windows.h>

namespace platform::testwin32 {

bool ReadScreenPixel(int x, int y, uint32_t& rgb) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) {
        return false;
    }
    rgb = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
          (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    return true;
}

}  // namespace platform::testwin32
