#include "engine/SegmentPlanner.h"

#include <algorithm>
#include <limits>

namespace dlengine {

namespace {

constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();

// Sizes reach the planner from state files and servers: every sum below is one that cannot
// leave int64_t whatever they say.
int64_t CeilDiv(int64_t value, int64_t divisor) {
    return value / divisor + (value % divisor != 0 ? 1 : 0);
}

// Rounds up to the split boundary, or leaves the value alone where that would pass the largest
// offset (the caller clamps to the gap anyway).
int64_t AlignUp(int64_t value) {
    const int64_t over = value % kSplitAlign;
    if (over == 0 || value > kLargest - kSplitAlign) {
        return value;
    }
    return value + (kSplitAlign - over);
}

// What is left of a segment to fetch; nothing for one whose numbers no transfer can have.
int64_t LeftToFetch(const ActiveSegment& segment) {
    if (segment.cursor < 0 || segment.end <= segment.cursor) {
        return 0;
    }
    return segment.end - segment.cursor;
}

std::optional<ByteSpan> UnclaimedShare(const RangeSet& received,
                                       const std::vector<ActiveSegment>& active, int64_t fileSize,
                                       int64_t minSplit, int freeSlots) {
    RangeSet claimed = received.ClippedTo(fileSize);
    for (const ActiveSegment& segment : active) {
        claimed.Add({std::clamp<int64_t>(segment.start, 0, fileSize),
                     std::clamp<int64_t>(segment.end, 0, fileSize)});
    }
    auto gap = claimed.FirstGap(0, fileSize);
    if (!gap) {
        return std::nullopt;
    }
    const int64_t unclaimed = fileSize - claimed.Total();
    int64_t share = std::max<int64_t>(minSplit, CeilDiv(unclaimed, std::max(freeSlots, 1)));
    share = std::min(AlignUp(share), gap->size());
    // A remainder too small to stand alone goes with this share.
    if (gap->size() - share < minSplit) {
        share = gap->size();
    }
    return ByteSpan{gap->first, gap->first + share};
}

std::optional<SegmentChoice> SplitLargest(std::vector<ActiveSegment>& active, int64_t minSplit) {
    int best = -1;
    int64_t bestLeft = 0;
    for (size_t i = 0; i < active.size(); ++i) {
        const int64_t left = LeftToFetch(active[i]);
        if (left > bestLeft) {
            bestLeft = left;
            best = static_cast<int>(i);
        }
    }
    if (best < 0 || !WorthSplitting(bestLeft, minSplit)) {
        return std::nullopt;
    }
    ActiveSegment& victim = active[static_cast<size_t>(best)];
    const int64_t middle = SplitPoint(victim.cursor, victim.end);
    SegmentChoice choice{{middle, victim.end}, best};
    victim.end = middle;
    return choice;
}

}  // namespace

bool WorthSplitting(int64_t left, int64_t minSplit) {
    return left / 2 >= minSplit;
}

int64_t SplitPoint(int64_t cursor, int64_t end) {
    cursor = std::max<int64_t>(cursor, 0);
    if (end <= cursor) {
        return cursor;
    }
    const int64_t middle = cursor + (end - cursor) / 2;
    const int64_t aligned = middle - middle % kSplitAlign;
    return aligned > cursor ? aligned : middle;
}

std::optional<SegmentChoice> NextSegment(const RangeSet& received,
                                         std::vector<ActiveSegment>& active, int64_t fileSize,
                                         int64_t minSplit, int freeSlots) {
    if (fileSize <= 0) {
        return std::nullopt;
    }
    minSplit = std::max<int64_t>(minSplit, 1);
    if (auto share = UnclaimedShare(received, active, fileSize, minSplit, freeSlots)) {
        return SegmentChoice{*share, -1};
    }
    return SplitLargest(active, minSplit);
}

}  // namespace dlengine
