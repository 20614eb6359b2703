#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/RangeSet.h"

namespace dlengine {

// What one running range transfer has claimed: it was asked for [start, end) and has received
// up to cursor. Its end may be pulled in when another connection takes over its tail.
struct ActiveSegment {
    int64_t start = 0;
    int64_t cursor = 0;
    int64_t end = 0;
};

struct SegmentChoice {
    ByteSpan span;
    int splitFrom = -1;  // index of the active segment whose tail was taken, or -1 for a gap
};

// Picks the work of a newly free connection: the first range no one holds yet, else the second
// half of the active segment with the most left to fetch, so that connections that finish early
// keep taking work from slower ones until the pieces get smaller than minSplit.
std::optional<SegmentChoice> NextSegment(const RangeSet& received,
                                         std::vector<ActiveSegment>& active, int64_t fileSize,
                                         int64_t minSplit);

}  // namespace dlengine
