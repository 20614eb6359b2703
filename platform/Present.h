#pragma once

#include <cstdint>

#include "platform/WindowPost.h"

// Showing what the window library drew. Pixels are 32-bit premultiplied ARGB in native byte
// order (the cairo image-surface layout); stride is in bytes.
namespace platform {

struct BitmapView {
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// Copies the bitmap into the window at its client origin. Layered windows take their per-pixel
// alpha from it (their shape where the screen has no compositor).
void PresentBitmap(WindowId window, const BitmapView& bitmap);

// True when layered windows blend with what lies below (a compositor runs). Without it they are
// only cut to their opaque pixels, and soft shadows are better not shown at all.
bool ScreenSupportsTranslucency();

// Asks for a WM_PAINT when the loop is idle.
void InvalidateWindow(WindowId window);

}  // namespace platform
