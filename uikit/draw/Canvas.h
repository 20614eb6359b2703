#pragma once

#include <cstdint>
#include <string>

#include "uikit/draw/Geometry.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace uikit {

// An off-screen drawing target: a premultiplied ARGB32 image surface (pixel = 0xAARRGGBB) and a
// cairo context on it. Windows paint into one and copy it to the screen.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool IsValid() const { return cr_ != nullptr; }
    cairo_t* Context() const { return cr_; }
    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return Rect{0, 0, width_, height_}; }

    void Clear(uint32_t argb = 0);
    uint32_t Pixel(int x, int y) const;  // 0 outside
    bool WritePng(const std::string& path) const;

  private:
    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace uikit
