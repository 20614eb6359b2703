#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/RangeSet.h"

namespace dlengine {

// Pieces smaller than this are not split again: a new connection would cost more than it saves.
constexpr int64_t kMinSplit = 1024 * 1024;
// Split points sit on this boundary so pieces stay whole pages for the writer.
constexpr int64_t kSplitAlign = 64 * 1024;

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

// Whether a segment with left bytes still to fetch can give half to another connection and keep
// no piece below minSplit.
bool WorthSplitting(int64_t left, int64_t minSplit);
// Where the unfetched rest [cursor, end) of a segment is cut: near its middle, on a split
// boundary unless that falls at or before the cursor.
int64_t SplitPoint(int64_t cursor, int64_t end);

// Picks the work of a newly free connection. While unclaimed ranges remain it takes a share of
// them sized for the connections still to come (freeSlots, counting this one), so that running
// transfers are rarely cut short: ending a transfer early wastes what the server already sent.
// Otherwise it takes the second half of the active segment with the most left to fetch, so that
// connections that finish early keep relieving slower ones until pieces get below minSplit.
std::optional<SegmentChoice> NextSegment(const RangeSet& received,
                                         std::vector<ActiveSegment>& active, int64_t fileSize,
                                         int64_t minSplit, int freeSlots);

}  // namespace dlengine
