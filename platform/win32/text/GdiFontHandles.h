#pragma once

#include <windows.h>

#include "platform/TextShaper.h"

namespace platform::win32 {

// A GDI font selected into a memory device context of its own, both released together. The
// context is where the font measures, and where coverage bitmaps are selected to draw into.
class FontHandles {
  public:
    explicit FontHandles(const TextFontSpec& spec);
    ~FontHandles();
    FontHandles(FontHandles&& other) noexcept;
    FontHandles& operator=(FontHandles&&) = delete;
    FontHandles(const FontHandles&) = delete;
    FontHandles& operator=(const FontHandles&) = delete;

    HDC Dc() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace platform::win32
