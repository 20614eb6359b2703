#include <gtest/gtest.h>

#include "uikit/manager/ToolTipWindowUI.h"

namespace {

using uikit::PlaceToolTipUI;

bool Inside(const platform::Rect& inner, const platform::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(ToolTipPlacement, BelowRightOfThePointerPulledInsideTheWorkAreaAboveWhenNoRoomBelow) {
    const platform::Rect screen{0, 0, 1920, 1080};
    const uikit::Size size{120, 24};
    const platform::Rect free = PlaceToolTipUI(size, platform::Point{400, 300}, screen);
    EXPECT_EQ(free.Width(), 120);
    EXPECT_EQ(free.Height(), 24);
    EXPECT_GT(free.left, 400);
    EXPECT_GT(free.top, 300);
    EXPECT_LT(free.top - 300, 40) << "a tip belongs next to the pointer";

    const platform::Rect right = PlaceToolTipUI(size, platform::Point{1910, 300}, screen);
    EXPECT_EQ(right.right, screen.right);
    EXPECT_GT(right.top, 300);

    const platform::Rect corner = PlaceToolTipUI(size, platform::Point{1915, 1070}, screen);
    EXPECT_TRUE(Inside(corner, screen));
    EXPECT_LE(corner.bottom, 1070) << "the tip must not cover the pointer";

    // A second monitor to the right, with a panel along its top.
    const platform::Rect second{1920, 30, 3840, 1080};
    EXPECT_TRUE(Inside(PlaceToolTipUI(size, platform::Point{1925, 10}, second), second));
}

}  // namespace
