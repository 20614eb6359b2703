#pragma once

// Points and rectangles in pixels. Rectangles are left, top, right, bottom with the right and
// bottom edges outside, as the window library above expects.
namespace platform {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool SameSize(const Rect& other) const {
        return Width() == other.Width() && Height() == other.Height();
    }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect MovedTo(int x, int y) const { return Rect{x, y, x + Width(), y + Height()}; }
    bool operator==(const Rect&) const = default;
};

inline Rect MakeRect(int x, int y, int width, int height) {
    return Rect{x, y, x + width, y + height};
}

}  // namespace platform
