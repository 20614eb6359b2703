#include <gtest/gtest.h>

#include "platform/WindowRegion.h"
#include "platform/core/RoundRegion.h"

using namespace platform;

namespace {

WindowRegion WholeWindow(int width, int height, int corner) {
    return WindowRegion{Rect{0, 0, width + 1, height + 1}, corner, corner};
}

TEST(RoundRegion, TheWindowSizePlusOneCoversExactlyTheWindowWhenNotRounded) {
    const WindowRegion region = WholeWindow(40, 30, 0);
    EXPECT_TRUE(RegionContains(region, {0, 0}));
    EXPECT_TRUE(RegionContains(region, {39, 29}));
    EXPECT_FALSE(RegionContains(region, {40, 15}));
    EXPECT_FALSE(RegionContains(region, {20, 30}));
    EXPECT_FALSE(RegionContains(region, {-1, 0}));
    EXPECT_FALSE(RegionContains(WindowRegion{Rect{0, 0, 1, 1}, 0, 0}, {0, 0}));
}

TEST(RoundRegion, AllFourCornersAreCutAlikeAndTheEdgesBetweenThemStay) {
    const WindowRegion region = WholeWindow(100, 80, 20);
    for (const Point corner : {Point{0, 0}, Point{99, 0}, Point{0, 79}, Point{99, 79}}) {
        EXPECT_FALSE(RegionContains(region, corner)) << corner.x << "," << corner.y;
    }
    for (int inset = 0; inset < 10; ++inset) {
        EXPECT_EQ(RegionContains(region, {inset, 2}), RegionContains(region, {99 - inset, 77}))
            << inset;
        EXPECT_EQ(RegionContains(region, {inset, 2}), RegionContains(region, {99 - inset, 2}));
    }
    EXPECT_TRUE(RegionContains(region, {50, 0}));
    EXPECT_TRUE(RegionContains(region, {0, 40}));
    EXPECT_TRUE(RegionContains(region, {99, 40}));
    EXPECT_TRUE(RegionContains(region, {50, 79}));
    EXPECT_TRUE(RegionContains(region, {5, 5}));
}

TEST(RoundRegion, CornersLargerThanTheRegionMakeAnEllipse) {
    const WindowRegion region = WholeWindow(40, 20, 500);
    EXPECT_TRUE(RegionContains(region, {20, 10}));
    EXPECT_TRUE(RegionContains(region, {0, 10}));
    EXPECT_FALSE(RegionContains(region, {3, 2}));
}

TEST(RoundRegion, RectanglesCoverTheSamePixelsAndMergeEqualRows) {
    const WindowRegion region = WholeWindow(60, 50, 16);
    const auto rows = core::RegionRectangles(region, 60, 50);
    // Rounded rows at the top and bottom, one block for the straight part between them.
    EXPECT_LT(rows.size(), 20u);
    int covered = 0;
    int inside = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            inside += RegionContains(region, {x, y}) ? 1 : 0;
        }
    }
    for (const Rect& r : rows) {
        covered += r.Width() * r.Height();
        EXPECT_TRUE(RegionContains(region, {r.left, r.top}));
        EXPECT_TRUE(RegionContains(region, {r.right - 1, r.bottom - 1}));
    }
    EXPECT_EQ(covered, inside);
    // A region larger than the window is cut to it.
    const auto clipped = core::RegionRectangles(WholeWindow(60, 50, 0), 30, 20);
    ASSERT_EQ(clipped.size(), 1u);
    EXPECT_EQ(clipped[0], (Rect{0, 0, 30, 20}));
}

}  // namespace
