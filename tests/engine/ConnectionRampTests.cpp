#include <gtest/gtest.h>

#include "engine/ConnectionRamp.h"

using namespace dlengine;
using namespace std::chrono_literals;

namespace {

constexpr int64_t kMiB = 1024 * 1024;
// Well past the start of the steady clock, so no window starts at its zero by chance.
const Clock::time_point kStart = Clock::time_point{} + 1h;

}  // namespace

TEST(ConnectionRampTest, StartsWithOneAndOpensAllWhenEachConnectionIsSlow) {
    ConnectionRamp ramp;
    EXPECT_EQ(AdvanceRamp(ramp, kStart, 0, 1), 1);
    // A window shorter than its length judges nothing, however little arrived.
    EXPECT_EQ(AdvanceRamp(ramp, kStart + 199ms, 0, 1), 1);
    EXPECT_EQ(AdvanceRamp(ramp, kStart + 1s, 10 * kMiB, 1), kMostTaskConnections);
    // Once open, the task keeps them even when the path turns fast.
    EXPECT_EQ(AdvanceRamp(ramp, kStart + 2s, 10'000 * kMiB, 1), kMostTaskConnections);
}

TEST(ConnectionRampTest, JudgesTheSpeedOfEachConnectionNotOfTheTask) {
    // Forty-eight MiB a second on each connection is fast; a byte less is not.
    ConnectionRamp fast;
    AdvanceRamp(fast, kStart, 0, 1);
    EXPECT_EQ(AdvanceRamp(fast, kStart + 1s, 48 * kMiB, 1), 1);
    ConnectionRamp slow;
    AdvanceRamp(slow, kStart, 0, 1);
    EXPECT_EQ(AdvanceRamp(slow, kStart + 1s, 48 * kMiB - 1, 1), kMostTaskConnections);
    // The same bytes over two connections make each one slow.
    ConnectionRamp shared;
    AdvanceRamp(shared, kStart, 0, 2);
    EXPECT_EQ(AdvanceRamp(shared, kStart + 1s, 60 * kMiB, 2), kMostTaskConnections);
}

TEST(ConnectionRampTest, MeasuresEachWindowOnItsOwn) {
    ConnectionRamp ramp;
    AdvanceRamp(ramp, kStart, 0, 1);
    ASSERT_EQ(AdvanceRamp(ramp, kStart + 1s, 200 * kMiB, 1), 1);
    // Slow after a fast second: the fast bytes must not hide it.
    EXPECT_EQ(AdvanceRamp(ramp, kStart + 2s, 201 * kMiB, 1), kMostTaskConnections);

    // With nothing open the window runs on: the bytes count over all of it.
    ConnectionRamp paused;
    AdvanceRamp(paused, kStart, 0, 1);
    EXPECT_EQ(AdvanceRamp(paused, kStart + 1s, 0, 0), 1);
    EXPECT_EQ(paused.windowStart, kStart);
    EXPECT_EQ(AdvanceRamp(paused, kStart + 2s, 90 * kMiB, 1), kMostTaskConnections);
}

TEST(ConnectionRampTest, LimitHoldsTheSettingWithinWhatATaskMayHave) {
    EXPECT_EQ(ConnectionLimit(8, kMostTaskConnections, false), 8);
    EXPECT_EQ(ConnectionLimit(8, 1, false), 1);
    EXPECT_EQ(ConnectionLimit(0, kMostTaskConnections, false), 1);
    EXPECT_EQ(ConnectionLimit(-3, kMostTaskConnections, false), 1);
    EXPECT_EQ(ConnectionLimit(40, kMostTaskConnections, false), kMostTaskConnections);
}

TEST(ConnectionRampTest, MisbehavingServerGetsOneConnectionWhateverTheRampAllows) {
    EXPECT_EQ(ConnectionLimit(8, kMostTaskConnections, true), 1);
    EXPECT_EQ(ConnectionLimit(40, kMostTaskConnections, true), 1);
    // Never fewer than one: the download must go on.
    EXPECT_EQ(ConnectionLimit(0, 1, true), 1);
}

TEST(ConnectionRampTest, EngineCapsExtraConnectionsButNeverATasksFirst) {
    EXPECT_TRUE(EngineAllowsAnother(3, 63));
    EXPECT_FALSE(EngineAllowsAnother(3, 64));
    EXPECT_FALSE(EngineAllowsAnother(1, 500));
    EXPECT_TRUE(EngineAllowsAnother(0, 500));
}

TEST(ConnectionRampTest, OpensOneProbeAndOneRangeAtATimeUntilRangesWork) {
    struct Case {
        OpeningFacts facts;
        OpeningMode mode;
    };
    const Case cases[] = {
        {{.sizeKnown = false, .anyOpen = false}, OpeningMode::kProbe},
        {{.sizeKnown = false, .anyOpen = true}, OpeningMode::kNothing},
        // A size from the state file of an earlier run, but no range answer yet.
        {{.sizeKnown = true, .rangesConfirmed = false, .anyOpen = false}, OpeningMode::kOneSegment},
        {{.sizeKnown = true, .rangesConfirmed = false, .anyOpen = true}, OpeningMode::kNothing},
        {{.sizeKnown = true, .singleStream = true, .anyOpen = true}, OpeningMode::kNothing},
        {{.sizeKnown = true, .rangesConfirmed = true, .anyOpen = true}, OpeningMode::kSegments},
        {{.sizeKnown = true, .rangesConfirmed = true, .anyOpen = false}, OpeningMode::kSegments},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ChooseOpening(cases[i].facts), cases[i].mode) << "case " << i;
    }
}
