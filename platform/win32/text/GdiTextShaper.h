#pragma once

#include "platform/TextShaper.h"

namespace platform::win32 {

// Text through GDI: fonts from CreateFontIndirectW with grey antialiasing, laid out and drawn by
// DrawTextW into a 32-bit DIB section. GDI leaves alpha alone, so the text is drawn white on
// black and the brightness of each pixel is its coverage.
class GdiTextShaper final : public TextShaper {
  public:
    std::unique_ptr<ShapedFont> MakeFont(const TextFontSpec& spec) override;
};

}  // namespace platform::win32
