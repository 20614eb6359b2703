// The frame arithmetic behind sizing drags, size limits and the client area, for the edges and
// answers the window suites do not drag or give.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/Messages.h"
#include "platform/core/FrameGeometry.h"

namespace platform {
inline void PrintTo(const Rect& rc, std::ostream* os) {
    *os << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}
}  // namespace platform

using namespace platform;
using namespace platform::core;

namespace {

MinMaxInfo Tracking(Point minimum, Point maximum) {
    MinMaxInfo limits;
    limits.minTrackSize = minimum;
    limits.maxTrackSize = maximum;
    return limits;
}

TEST(FrameGeometry, ADragMovesOnlyTheEdgesItHolds) {
    const Rect rect{100, 100, 300, 300};
    EXPECT_EQ(MoveDraggedEdges(rect, HTTOPLEFT, 150, 120), (Rect{250, 220, 300, 300}));
    EXPECT_EQ(MoveDraggedEdges(rect, HTLEFT, 10, 40), (Rect{110, 100, 300, 300}));
    EXPECT_EQ(MoveDraggedEdges(rect, HTBOTTOM, 10, 40), (Rect{100, 100, 300, 340}));
    EXPECT_EQ(MoveDraggedEdges(rect, HTTOPRIGHT, -20, 30), (Rect{100, 130, 280, 300}));
}

TEST(FrameGeometry, TheDraggedEdgeGivesWayAtTheLimitsAndTheOppositeOneStays) {
    const MinMaxInfo limits = Tracking(Point{100, 80}, Point{400, 300});
    EXPECT_EQ(FitToLimits(Rect{250, 250, 300, 300}, limits, HTTOPLEFT), (Rect{200, 220, 300, 300}));
    EXPECT_EQ(FitToLimits(Rect{0, 0, 500, 500}, limits, HTTOPLEFT), (Rect{100, 200, 500, 500}));
    EXPECT_EQ(FitToLimits(Rect{100, 100, 120, 120}, limits, 0), (Rect{100, 100, 200, 180}));
    EXPECT_EQ(FitToLimits(Rect{100, 100, 120, 120}, limits, HTBOTTOMLEFT),
              (Rect{20, 100, 120, 180}));
}

TEST(FrameGeometry, TheMinimumWinsOverASmallerMaximumAlsoWhenMaximised) {
    MinMaxInfo limits = Tracking(Point{900, 0}, Point{800, 600});
    limits.maxSize = Point{1920, 1040};
    limits.maxPosition = Point{-4, -4};
    EXPECT_EQ(MaximizedRect(limits), MakeRect(-4, -4, 900, 600));
    EXPECT_EQ(FitToLimits(Rect{0, 0, 100, 100}, limits, 0), (Rect{0, 0, 900, 100}));
}

TEST(FrameGeometry, TheClientAreaNeverReachesOutsideTheWindow) {
    const Rect window{100, 100, 300, 250};
    EXPECT_EQ(ClientWithin(window, Rect{104, 130, 296, 246}), (Rect{4, 30, 196, 146}));
    EXPECT_EQ(ClientWithin(window, Rect{90, 110, 310, 240}), (Rect{0, 10, 200, 140}));
    // A frame answer turned inside out leaves no client area rather than a negative one.
    const Rect inverted = ClientWithin(window, Rect{200, 200, 150, 150});
    EXPECT_EQ(inverted.Width(), 0);
    EXPECT_EQ(inverted.Height(), 0);
}

}  // namespace
