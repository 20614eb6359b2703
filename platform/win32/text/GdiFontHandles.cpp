#include "platform/win32/text/GdiFontHandles.h"

#include <algorithm>
#include <utility>

namespace platform::win32 {

namespace {

LOGFONTW Describe(const TextFontSpec& spec) {
    LOGFONTW font{};
    // A negative height asks for the em height, which is what a pixel size means elsewhere.
    font.lfHeight = -std::max(1, spec.size);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = spec.italic ? TRUE : FALSE;
    font.lfUnderline = spec.underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    // Grey antialiasing: the coverage becomes alpha, which colour fringes would spoil.
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const size_t length = std::min<size_t>(spec.face.size(), LF_FACESIZE - 1);
    std::copy_n(spec.face.data(), length, font.lfFaceName);
    return font;
}

}  // namespace

FontHandles::FontHandles(const TextFontSpec& spec) {
    const LOGFONTW description = Describe(spec);
    font_ = CreateFontIndirectW(&description);
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ && font_) {
        previous_ = SelectObject(dc_, font_);
    }
}

FontHandles::FontHandles(FontHandles&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)),
      font_(std::exchange(other.font_, nullptr)),
      previous_(std::exchange(other.previous_, nullptr)) {}

FontHandles::~FontHandles() {
    if (dc_ && previous_) {
        SelectObject(dc_, previous_);
    }
    if (dc_) {
        DeleteDC(dc_);
    }
    if (font_) {
        DeleteObject(font_);
    }
}

}  // namespace platform::win32
