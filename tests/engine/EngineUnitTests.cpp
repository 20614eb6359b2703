#include <gtest/gtest.h>

#include "common/TextConvert.h"
#include "engine/ContentRange.h"
#include "engine/RangeSet.h"
#include "engine/StateFile.h"
#include "engine/TaskTarget.h"

using namespace dlengine;

namespace {

// A state of a 1000-byte file that an engine started on boot "boot-a" wrote.
TaskState StateOf(std::initializer_list<ByteSpan> done, std::initializer_list<ByteSpan> synced) {
    TaskState state;
    state.fileSize = 1000;
    state.bootId = "boot-a";
    for (const ByteSpan& span : done) {
        state.done.Add(span);
    }
    for (const ByteSpan& span : synced) {
        state.synced.Add(span);
    }
    return state;
}

}  // namespace

TEST(RangeSetTest, MergesTouchingAndOverlappingRangesAndFindsGaps) {
    RangeSet set;
    set.Add({10, 20});
    set.Add({30, 40});
    set.Add({20, 25});  // touches the first
    set.Add({35, 50});  // overlaps the second
    set.Add({5, 5});    // empty
    EXPECT_EQ(set.spans().size(), 2u);
    EXPECT_EQ(set.Total(), 15 + 20);
    EXPECT_TRUE(set.Contains({12, 25}));
    EXPECT_FALSE(set.Contains({24, 31}));
    EXPECT_EQ(set.FirstGap(0, 100), (ByteSpan{0, 10}));
    EXPECT_EQ(set.FirstGap(10, 100), (ByteSpan{25, 30}));
    EXPECT_EQ(set.FirstGap(45, 100), (ByteSpan{50, 100}));
    EXPECT_FALSE(set.FirstGap(10, 25).has_value());
    set.Add({0, 100});
    EXPECT_EQ(set.spans().size(), 1u);
}

TEST(StateFileTest, RoundTripsAndRefusesTornOrForeignText) {
    const TaskState state = StateOf({{0, 100}, {500, 1000}}, {{0, 100}});
    const std::string text = EncodeTaskState(state);
    auto decoded = DecodeTaskState(text);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->done, state.done);
    EXPECT_EQ(decoded->synced, state.synced);

    EXPECT_FALSE(DecodeTaskState(text.substr(0, text.size() - 4)));
    EXPECT_FALSE(DecodeTaskState("garbage"));
    TaskState outside = state;
    outside.done.Add({900, 1200});
    EXPECT_FALSE(DecodeTaskState(EncodeTaskState(outside)));
}

// A state file is a file anyone can change: what no download of ours writes is refused, so
// the task starts afresh instead of planning from it.
TEST(StateFileTest, RefusesSizesRangesAndCountsNoDownloadHas) {
    struct Case {
        const char* what;
        std::string size;
        std::string done;
    };
    const std::string largest = std::to_string(kLargestFileSize);
    const std::string beyondLargest = std::to_string(kLargestFileSize + 1);
    const Case accepted[] = {
        {"two ranges in order", "1000", "2 0-100 500-1000"},
        {"the largest size", largest, "0"},
    };
    const Case refused[] = {
        {"a size past the largest", beyondLargest, "0"},
        {"the largest signed size, all done", "9223372036854775807", "1 0-9223372036854775807"},
        {"a size that wraps", "9223372036854775808", "0"},
        {"an empty file", "0", "0"},
        {"a negative size", "-1000", "0"},
        {"ranges out of order", "1000", "2 500-1000 0-100"},
        {"overlapping ranges", "1000", "2 0-600 500-1000"},
        // Never written: touching ranges merge.
        {"touching ranges", "1000", "2 0-500 500-1000"},
        {"an empty range", "1000", "1 100-100"},
        {"a negative start", "1000", "1 -5-100"},
        {"a negative count", "1000", "-1 0-100"},
        {"a count the text lacks", "1000", "3 0-100 200-300"},
        {"a count that wraps", "1000", "18446744073709551617 0-100"},
    };
    const auto text = [](const Case& c) {
        return "kavrin-dlengine-state 1\nsize " + c.size + "\nboot -\ndone " + c.done +
               "\nsynced 0\nend\n";
    };
    for (const Case& c : accepted) {
        EXPECT_TRUE(DecodeTaskState(text(c))) << c.what;
    }
    for (const Case& c : refused) {
        EXPECT_FALSE(DecodeTaskState(text(c))) << c.what;
    }
}

TEST(StateFileTest, ANewBootTrustsOnlyFlushedRanges) {
    TaskState state = StateOf({{0, 800}}, {{0, 300}});
    EXPECT_EQ(TrustedRanges(state, "boot-a").Total(), 800);
    EXPECT_EQ(TrustedRanges(state, "boot-b").Total(), 300);
    state.bootId.clear();
    EXPECT_EQ(TrustedRanges(state, "").Total(), 300);
}

TEST(ContentRangeTest, ParsesWhatServersSendAndRefusesTheRest) {
    auto range = ParseContentRange("bytes 100-199/1000");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first, 100);
    EXPECT_EQ(range->last, 199);
    EXPECT_EQ(range->total, 1000);
    EXPECT_EQ(ParseContentRange("bytes 0-9/*")->total, -1);
    EXPECT_FALSE(ParseContentRange("bytes 10-5/100"));
    EXPECT_FALSE(ParseContentRange("bytes 0-99/50"));
    EXPECT_FALSE(ParseContentRange("bytes */100"));
    EXPECT_FALSE(ParseContentRange("items 0-9/10"));
}

TEST(TaskTargetTest, RefusesNamesThatLeaveTheFolder) {
    for (const char16_t* bad :
         {u"", u".", u"..", u"../x.zip", u"a/b.zip", u"a\\b.zip", u"/etc/passwd", u"x\n.zip"}) {
        EXPECT_FALSE(IsSafeFileName(bad)) << Utf16ToAnsi(bad);
    }
    EXPECT_TRUE(IsSafeFileName(u"game..v2.zip"));
    EXPECT_TRUE(IsSafeFileName(u"游戏.zip"));
}
