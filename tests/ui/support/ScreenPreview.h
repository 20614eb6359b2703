#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "platform/headless/HeadlessInput.h"
#include "uikit/draw/Canvas.h"

// Writes KAVRIN_PREVIEW_DIR/NAME.png: the part `area` of the virtual screen with what each of
// `windows` (bottom first) last presented, twice as large, for a person to look at.
inline void WriteScreenPreview(const std::string& name, const platform::Rect& area,
                               const std::vector<platform::WindowId>& windows) {
    uikit::Canvas screen(area.Width() * 2, area.Height() * 2);
    screen.Clear(0xFF808890);
    cairo_scale(screen.Context(), 2, 2);
    for (const platform::WindowId shown : windows) {
        platform::headless::Bitmap bitmap;
        ASSERT_TRUE(platform::headless::LastPresented(shown, bitmap));
        const platform::Rect rc = platform::GetWindowRect(shown);
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(bitmap.pixels.data()), CAIRO_FORMAT_ARGB32,
            bitmap.width, bitmap.height, bitmap.width * 4);
        cairo_set_source_surface(screen.Context(), surface, rc.left - area.left, rc.top - area.top);
        cairo_pattern_set_filter(cairo_get_source(screen.Context()), CAIRO_FILTER_NEAREST);
        cairo_paint(screen.Context());
        cairo_surface_destroy(surface);
    }
    std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
    EXPECT_TRUE(screen.WritePng(std::string(KAVRIN_PREVIEW_DIR) + "/" + name + ".png"));
}

// The part of the screen the windows cover together.
inline platform::Rect WindowsArea(const std::vector<platform::WindowId>& windows) {
    platform::Rect area = platform::GetWindowRect(windows.front());
    for (const platform::WindowId window : windows) {
        const platform::Rect rc = platform::GetWindowRect(window);
        area = platform::Rect{std::min(area.left, rc.left), std::min(area.top, rc.top),
                              std::max(area.right, rc.right), std::max(area.bottom, rc.bottom)};
    }
    return area;
}
