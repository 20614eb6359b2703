#pragma once

#include <windows.h>

#include "platform/TextShaper.h"

namespace platform::win32 {

// The part of the layout that is rendered, relative to the layout rectangle's top-left: the
// rectangle itself when the caller clips to it; otherwise also what the text's block and its
// overhang cover beyond it. `block` is the laid-out text's size, `top` where its top lies.
Rect CoverageRegion(Size rectangle, Size block, int top, unsigned layout);

// A black 32-bit top-down DIB section selected into the context while it lives, drawn on in
// white; what is drawn becomes the coverage.
class CoverageBitmap {
  public:
    CoverageBitmap(HDC dc, int width, int height);
    ~CoverageBitmap();
    CoverageBitmap(const CoverageBitmap&) = delete;
    CoverageBitmap& operator=(const CoverageBitmap&) = delete;

    bool IsValid() const { return bits_ != nullptr; }
    // The coverage drawn so far, its top-left pixel at `left`,`top` of the layout rectangle.
    TextCoverage Coverage(int left, int top) const;

  private:
    HDC dc_;
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const uint32_t* bits_ = nullptr;
    COLORREF previousColor_ = 0;
    int previousMode_ = 0;
};

}  // namespace platform::win32
