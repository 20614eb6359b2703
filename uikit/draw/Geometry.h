#pragma once

// Rectangles are written l,t,r,b in markup and in the control model, so they are kept that way
// here too instead of x,y,w,h.
namespace uikit {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int cx = 0;
    int cy = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool operator==(const Rect&) const = default;
};

// The common part of two rectangles; an empty rectangle when they do not meet.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.IsEmpty()) {
        return Rect{};
    }
    return r;
}

}  // namespace uikit
