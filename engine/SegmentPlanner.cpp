#include "engine/SegmentPlanner.h"

#include <algorithm>

namespace dlengine {

namespace {

std::optional<ByteSpan> UnclaimedShare(const RangeSet& received,
                                       const std::vector<ActiveSegment>& active, int64_t fileSize,
                                       int64_t minSplit, int freeSlots) {
    RangeSet claimed = received;
    for (const ActiveSegment& segment : active) {
        claimed.Add({segment.start, segment.end});
    }
    auto gap = claimed.FirstGap(0, fileSize);
    if (!gap) {
        return std::nullopt;
    }
    const int64_t unclaimed = fileSize - claimed.ClippedTo(fileSize).Total();
    int64_t share =
        std::max<int64_t>(minSplit, (unclaimed + freeSlots - 1) / std::max(freeSlots, 1));
    share = (share + kSplitAlign - 1) / kSplitAlign * kSplitAlign;
    // A remainder too small to stand alone goes with this share.
    if (gap->size() - share < minSplit) {
        share = gap->size();
    }
    return ByteSpan{gap->first, gap->first + std::min(share, gap->size())};
}

std::optional<SegmentChoice> SplitLargest(std::vector<ActiveSegment>& active, int64_t minSplit) {
    int best = -1;
    int64_t bestLeft = 0;
    for (size_t i = 0; i < active.size(); ++i) {
        const int64_t left = active[i].end - active[i].cursor;
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
    return left >= 2 * minSplit;
}

int64_t SplitPoint(int64_t cursor, int64_t end) {
    const int64_t middle = cursor + (end - cursor) / 2;
    const int64_t aligned = middle - middle % kSplitAlign;
    return aligned > cursor ? aligned : middle;
}

std::optional<SegmentChoice> NextSegment(const RangeSet& received,
                                         std::vector<ActiveSegment>& active, int64_t fileSize,
                                         int64_t minSplit, int freeSlots) {
    if (auto share = UnclaimedShare(received, active, fileSize, minSplit, freeSlots)) {
        return SegmentChoice{*share, -1};
    }
    return SplitLargest(active, minSplit);
}

}  // namespace dlengine
