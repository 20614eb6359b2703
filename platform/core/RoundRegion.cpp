#include "platform/core/RoundRegion.h"

#include <algorithm>

namespace platform {

bool RegionContains(const WindowRegion& region, Point pixel) {
    const double left = region.bounds.left;
    const double top = region.bounds.top;
    const double right = region.bounds.right - 1;
    const double bottom = region.bounds.bottom - 1;
    if (right <= left || bottom <= top) {
        return false;
    }
    // Pixels count by their centres, so the shape comes out the same at every corner.
    const double x = pixel.x + 0.5;
    const double y = pixel.y + 0.5;
    if (x < left || x > right || y < top || y > bottom) {
        return false;
    }
    const double rx = std::min<double>(std::max(region.cornerWidth, 0), right - left) / 2;
    const double ry = std::min<double>(std::max(region.cornerHeight, 0), bottom - top) / 2;
    if (rx <= 0 || ry <= 0) {
        return true;
    }
    const double cx = std::clamp(x, left + rx, right - rx);
    const double cy = std::clamp(y, top + ry, bottom - ry);
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace platform

namespace platform::core {

namespace {

// The row's first and last pixel inside the region; false when none is. Only the rounded
// ends need searching: the rest of a row is inside when its ends are.
bool RowSpan(const WindowRegion& region, int y, int width, int& first, int& last) {
    const int from = std::max(0, region.bounds.left);
    const int to = std::min(width, region.bounds.right) - 1;
    first = from;
    while (first <= to && !RegionContains(region, Point{first, y})) {
        ++first;
    }
    last = to;
    while (last >= first && !RegionContains(region, Point{last, y})) {
        --last;
    }
    return first <= last;
}

}  // namespace

std::vector<Rect> RegionRectangles(const WindowRegion& region, int width, int height) {
    std::vector<Rect> rows;
    const int top = std::max(0, region.bounds.top);
    const int bottom = std::min(height, region.bounds.bottom);
    for (int y = top; y < bottom; ++y) {
        int first = 0;
        int last = 0;
        if (!RowSpan(region, y, width, first, last)) {
            continue;
        }
        if (!rows.empty() && rows.back().bottom == y && rows.back().left == first &&
            rows.back().right == last + 1) {
            rows.back().bottom = y + 1;
        } else {
            rows.push_back(Rect{first, y, last + 1, y + 1});
        }
    }
    return rows;
}

}  // namespace platform::core
