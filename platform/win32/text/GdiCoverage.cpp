#include "platform/win32/text/GdiCoverage.h"

#include <algorithm>
#include <cstring>

namespace platform::win32 {

namespace {

namespace TL = TextLayout;

// How far text that is not clipped may reach beyond its rectangle and still be drawn.
constexpr int kMaxOverflow = 4096;

int BlockLeft(Size rectangle, Size block, unsigned layout) {
    if (layout & TL::kCenter) {
        return (rectangle.cx - block.cx) / 2;
    }
    if (layout & TL::kRight) {
        return rectangle.cx - block.cx;
    }
    return 0;
}

}  // namespace

Rect CoverageRegion(Size rectangle, Size block, int top, unsigned layout) {
    Rect region{0, 0, std::max(0, rectangle.cx), std::max(0, rectangle.cy)};
    if (!(layout & TL::kNoClip)) {
        return region;
    }
    // Italic and large glyphs overhang their advance; half a line covers them.
    const int margin = block.cy / 2 + 2;
    const int left = BlockLeft(rectangle, block, layout);
    region.left = std::max(-kMaxOverflow, std::min(0, left) - margin);
    region.right =
        std::min(rectangle.cx + kMaxOverflow, std::max(rectangle.cx, left + block.cx) + margin);
    region.top = std::max(-kMaxOverflow, std::min(0, top) - margin);
    region.bottom =
        std::min(rectangle.cy + kMaxOverflow, std::max(rectangle.cy, top + block.cy) + margin);
    return region;
}

CoverageBitmap::CoverageBitmap(HDC dc, int width, int height)
    : dc_(dc), width_(width), height_(height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) {
        return;
    }
    std::memset(bits, 0, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    previous_ = SelectObject(dc, bitmap_);
    previousColor_ = SetTextColor(dc, RGB(255, 255, 255));
    previousMode_ = SetBkMode(dc, TRANSPARENT);
    bits_ = static_cast<const uint32_t*>(bits);
}

CoverageBitmap::~CoverageBitmap() {
    if (previous_) {
        SetBkMode(dc_, previousMode_);
        SetTextColor(dc_, previousColor_);
        SelectObject(dc_, previous_);
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
}

TextCoverage CoverageBitmap::Coverage(int left, int top) const {
    TextCoverage coverage;
    if (!bits_) {
        return coverage;
    }
    // GDI writes into the section behind our back; its queue must be drained before reading.
    GdiFlush();
    coverage.origin = Point{left, top};
    coverage.width = width_;
    coverage.height = height_;
    coverage.alpha.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (size_t i = 0; i < coverage.alpha.size(); ++i) {
        const uint32_t pixel = bits_[i];
        const uint32_t red = (pixel >> 16) & 0xFF;
        const uint32_t green = (pixel >> 8) & 0xFF;
        const uint32_t blue = pixel & 0xFF;
        coverage.alpha[i] = static_cast<uint8_t>(std::max({red, green, blue}));
    }
    return coverage;
}

}  // namespace platform::win32
