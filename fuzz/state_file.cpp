// The engine's state file, and the segment planner run on what a resumed task would trust.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/RangeSet.h"
#include "engine/SegmentPlanner.h"
#include "engine/StateFile.h"

namespace {

// Plans connections as a task does, pretending each transfer got half of what it asked for
// before the next connection comes free; every span planned must lie inside the file.
void PlanFrom(const dlengine::RangeSet& received, int64_t fileSize) {
    std::vector<dlengine::ActiveSegment> active;
    for (int round = 0; round < 16; ++round) {
        const int freeSlots = 8 - static_cast<int>(active.size());
        auto choice = dlengine::NextSegment(received, active, fileSize, dlengine::kMinSplit,
                                            freeSlots > 0 ? freeSlots : 1);
        if (!choice) {
            return;
        }
        const dlengine::ByteSpan span = choice->span;
        if (span.first < 0 || span.end > fileSize || span.first >= span.end) {
            std::abort();
        }
        for (auto& segment : active) {
            segment.cursor += (segment.end - segment.cursor) / 2;
        }
        active.push_back({span.first, span.first, span.end});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto state = dlengine::DecodeTaskState(text);
    if (!state) {
        return 0;
    }
    const auto again = dlengine::DecodeTaskState(dlengine::EncodeTaskState(*state));
    if (!again || again->fileSize != state->fileSize || !(again->done == state->done)) {
        std::abort();
    }
    for (const std::string& boot : {state->bootId, std::string("another-boot")}) {
        PlanFrom(dlengine::TrustedRanges(*state, boot), state->fileSize);
    }
    return 0;
}
