#include "tools/desktop-driver/ScreenWatch.h"

#include <cairo.h>

#include "tests/support/Poll.h"

namespace td = platform::testdisplay;

namespace desktop {

bool PollScreen(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    return PollUntil(done, deadline, 20ms);
}

namespace {

td::ScreenArea AreaOf(const platform::Rect& rect) {
    return td::ScreenArea{rect.left, rect.top, rect.Width(), rect.Height()};
}

}  // namespace

uint32_t ColourAt(platform::Point at) {
    uint32_t rgb = 0xFFFFFFFFu;  // no colour of the screen: a failed read never matches
    td::ReadScreenPixel(at.x, at.y, rgb);
    return rgb;
}

bool WaitForColour(platform::Point at, uint32_t rgb, std::chrono::milliseconds deadline) {
    return PollScreen([&] { return ColourAt(at) == rgb; }, deadline);
}

bool WaitForOtherColour(platform::Point at, uint32_t rgb, std::chrono::milliseconds deadline) {
    return PollScreen(
        [&] {
            const uint32_t now = ColourAt(at);
            return now != rgb && now != 0xFFFFFFFFu;
        },
        deadline);
}

bool WaitForWindow(const std::string& title, td::ScreenArea& area,
                   std::chrono::milliseconds deadline) {
    return PollScreen([&] { return td::FindShownWindow(title, area); }, deadline);
}

bool WaitForWindowGone(const std::string& title, std::chrono::milliseconds deadline) {
    td::ScreenArea area;
    return PollScreen([&] { return !td::FindShownWindow(title, area); }, deadline);
}

std::vector<uint32_t> AreaPixels(const platform::Rect& area) {
    std::vector<uint32_t> pixels;
    td::ReadScreenArea(AreaOf(area), pixels);
    return pixels;
}

bool WaitForAreaChange(const platform::Rect& area, const std::vector<uint32_t>& before,
                       std::chrono::milliseconds deadline) {
    return PollScreen(
        [&] {
            const std::vector<uint32_t> now = AreaPixels(area);
            return !now.empty() && now != before;
        },
        deadline);
}

bool WaitForAreaPixels(const platform::Rect& area, const std::vector<uint32_t>& expected,
                       std::chrono::milliseconds deadline) {
    return PollScreen([&] { return AreaPixels(area) == expected; }, deadline);
}

bool WaitForStillArea(const platform::Rect& area, std::chrono::milliseconds deadline) {
    std::vector<uint32_t> before = AreaPixels(area);
    return PollScreen(
        [&] {
            std::vector<uint32_t> now = AreaPixels(area);
            const bool still = !now.empty() && now == before;
            before = std::move(now);
            return still;
        },
        deadline);
}

bool WaitForStillScreen(std::chrono::milliseconds deadline) {
    td::ScreenArea whole;
    return td::ReadScreenSize(whole) &&
           WaitForStillArea(platform::Rect{0, 0, whole.width, whole.height}, deadline);
}

bool SaveScreenPng(const std::string& path) {
    td::ScreenArea whole;
    if (!td::ReadScreenSize(whole)) {
        return false;
    }
    std::vector<uint32_t> pixels;
    if (!td::ReadScreenArea(whole, pixels)) {
        return false;
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, whole.width, whole.height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < whole.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < whole.width; ++x) {
            row[x] = pixels[static_cast<size_t>(y) * static_cast<size_t>(whole.width) +
                            static_cast<size_t>(x)];
        }
    }
    cairo_surface_mark_dirty(surface);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

}  // namespace desktop
