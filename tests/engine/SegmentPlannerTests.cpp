#include <gtest/gtest.h>

#include <limits>

#include "engine/SegmentPlanner.h"

using namespace dlengine;

TEST(SegmentPlannerTest, SharesUnclaimedBytesAmongTheConnectionsToCome) {
    const int64_t mib = 1024 * 1024;
    std::vector<ActiveSegment> active;
    auto first = NextSegment({}, active, 64 * mib, mib, 4);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->span, (ByteSpan{0, 16 * mib}));
    // A leftover smaller than a piece joins the share instead of making a piece of its own.
    auto whole = NextSegment({}, active, 3 * mib / 2, mib, 4);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->span, (ByteSpan{0, 3 * mib / 2}));
}

TEST(SegmentPlannerTest, TakesUnclaimedGapsFirstThenSplitsTheLargestRemainder) {
    const int64_t mib = 1024 * 1024;
    RangeSet received;
    received.Add({0, 4 * mib});
    std::vector<ActiveSegment> active = {{4 * mib, 5 * mib, 10 * mib}};
    auto choice = NextSegment(received, active, 64 * mib, mib, 1);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->span, (ByteSpan{10 * mib, 64 * mib}));
    EXPECT_EQ(choice->splitFrom, -1);

    active.push_back({10 * mib, 10 * mib, 64 * mib});
    choice = NextSegment(received, active, 64 * mib, mib, 1);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->splitFrom, 1);
    EXPECT_EQ(choice->span, (ByteSpan{37 * mib, 64 * mib}));
    EXPECT_EQ(active[1].end, 37 * mib);

    // Nothing left worth splitting.
    std::vector<ActiveSegment> small = {{0, 0, mib}};
    EXPECT_FALSE(NextSegment({}, small, mib, mib, 1));
}

TEST(SegmentPlannerTest, SplitsOnlyWhatLeavesBothHalvesAtLeastTheSmallestPiece) {
    EXPECT_FALSE(WorthSplitting(0, kMinSplit));
    EXPECT_FALSE(WorthSplitting(2 * kMinSplit - 1, kMinSplit));
    EXPECT_TRUE(WorthSplitting(2 * kMinSplit, kMinSplit));

    std::vector<ActiveSegment> justTooSmall = {{0, kMinSplit, 3 * kMinSplit - 1}};
    EXPECT_FALSE(NextSegment({}, justTooSmall, 3 * kMinSplit - 1, kMinSplit, 1));
    EXPECT_EQ(justTooSmall[0].end, 3 * kMinSplit - 1);  // a refused split leaves the owner alone
    std::vector<ActiveSegment> justLargeEnough = {{0, kMinSplit, 3 * kMinSplit}};
    auto choice = NextSegment({}, justLargeEnough, 3 * kMinSplit, kMinSplit, 1);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->span, (ByteSpan{2 * kMinSplit, 3 * kMinSplit}));
}

TEST(SegmentPlannerTest, CutsNearTheMiddleOfWhatIsLeftOnABoundary) {
    struct Rest {
        int64_t cursor;
        int64_t end;
    };
    for (const Rest rest :
         {Rest{0, 10 * kMinSplit}, Rest{kMinSplit + 10, 5 * kMinSplit + 10},
          Rest{12345, 7 * kMinSplit + 777}, Rest{3 * kSplitAlign - 1, 9 * kMinSplit}}) {
        const int64_t point = SplitPoint(rest.cursor, rest.end);
        const int64_t middle = rest.cursor + (rest.end - rest.cursor) / 2;
        EXPECT_EQ(point % kSplitAlign, 0) << rest.cursor;
        EXPECT_LE(point, middle) << rest.cursor;
        EXPECT_GT(point, middle - kSplitAlign) << rest.cursor;
    }
    // Within one boundary of the cursor the cut stays ahead of it, off the boundary.
    EXPECT_EQ(SplitPoint(kSplitAlign + 10, kSplitAlign + 30), kSplitAlign + 20);
    EXPECT_EQ(SplitPoint(kSplitAlign, kSplitAlign + 2), kSplitAlign + 1);
}

TEST(SegmentPlannerTest, RelievesTheConnectionWithTheMostLeftNotTheLongestRange) {
    const int64_t mib = kMinSplit;
    // The first asked for more but has fetched most of it.
    std::vector<ActiveSegment> active = {{0, 35 * mib, 40 * mib}, {40 * mib, 41 * mib, 48 * mib}};
    auto choice = NextSegment({}, active, 48 * mib, mib, 1);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->splitFrom, 1);
    EXPECT_EQ(choice->span, (ByteSpan{SplitPoint(41 * mib, 48 * mib), 48 * mib}));
    EXPECT_EQ(active[0].end, 40 * mib);
}

TEST(SegmentPlannerTest, SharesEndOnABoundaryAndCoverTheGapTogether) {
    const int64_t fileSize = 10 * kMinSplit + 1;
    std::vector<ActiveSegment> active;
    RangeSet received;
    for (int freeSlots = 3; freeSlots > 0; --freeSlots) {
        auto choice = NextSegment(received, active, fileSize, kMinSplit, freeSlots);
        ASSERT_TRUE(choice) << freeSlots;
        EXPECT_EQ(choice->splitFrom, -1);
        if (freeSlots > 1) {
            EXPECT_EQ(choice->span.end % kSplitAlign, 0) << freeSlots;
        }
        active.push_back({choice->span.first, choice->span.first, choice->span.end});
    }
    // The three shares meet end to start and the last reaches the end of the file.
    for (size_t i = 1; i < active.size(); ++i) {
        EXPECT_EQ(active[i].start, active[i - 1].end);
    }
    EXPECT_EQ(active.front().start, 0);
    EXPECT_EQ(active.back().end, fileSize);
}

// The planner is handed sizes from a state file and from servers; no size it may be given makes
// its arithmetic leave the file (the sanitizer build reports any signed overflow on the way).
TEST(SegmentPlannerTest, StaysInsideFilesOfAnySizeUpToTheLargestOffset) {
    constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
    for (const int64_t fileSize : {kLargest, kLargest - 1, kLargest - kSplitAlign + 1}) {
        for (const int freeSlots : {1, 3, 16}) {
            std::vector<ActiveSegment> active;
            auto choice = NextSegment({}, active, fileSize, kMinSplit, freeSlots);
            ASSERT_TRUE(choice) << fileSize << " " << freeSlots;
            EXPECT_EQ(choice->span.first, 0);
            EXPECT_GT(choice->span.end, 0);
            EXPECT_LE(choice->span.end, fileSize);
        }
    }
    std::vector<ActiveSegment> nearTheEnd = {{0, 0, kLargest}};
    auto split = NextSegment({}, nearTheEnd, kLargest, kMinSplit, 1);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->span.end, kLargest);
    EXPECT_EQ(nearTheEnd[0].end, split->span.first);
    EXPECT_GT(split->span.first, 0);
}

TEST(SegmentPlannerTest, GivesNothingForSegmentsOrSizesNoTransferCanHave) {
    std::vector<ActiveSegment> none;
    EXPECT_FALSE(NextSegment({}, none, 0, kMinSplit, 1));
    EXPECT_FALSE(NextSegment({}, none, -5, kMinSplit, 1));
    // A cursor behind its start or an end before its cursor is no work to share.
    std::vector<ActiveSegment> inverted = {{0, 10 * kMinSplit, -1}};
    RangeSet received;
    received.Add({0, 10 * kMinSplit});
    EXPECT_FALSE(NextSegment(received, inverted, 10 * kMinSplit, kMinSplit, 1));
    EXPECT_FALSE(
        WorthSplitting(std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::max()));
    const int64_t point =
        SplitPoint(std::numeric_limits<int64_t>::min() + 1, std::numeric_limits<int64_t>::max());
    EXPECT_GE(point, 0);
}
