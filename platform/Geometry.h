#pragma once

// Points, sizes and rectangles in pixels, for the windows and for the control library above
// them. Rectangles are left, top, right, bottom with the right and bottom edges outside, as they
// are written in markup and in the control model.
namespace platform {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
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

// The common part of two rectangles; an empty rectangle when they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.IsEmpty()) {
        return Rect{};
    }
    return r;
}

}  // namespace platform
