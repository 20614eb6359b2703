#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/RangeSet.h"

namespace dlengine {

// No download is this large (a pebibyte); a state file claiming more was not written by us.
constexpr int64_t kLargestFileSize = int64_t{1} << 50;

// What the state file beside a part file remembers between runs. Finished ranges are recorded
// often and without a flush; only the synced ranges were covered by a completed fdatasync. A
// killed process leaves its written pages in the page cache, so the same boot trusts every
// finished range, while a new boot (the machine went down) trusts the synced ones alone.
struct TaskState {
    int64_t fileSize = -1;
    std::string bootId;
    RangeSet done;
    RangeSet synced;
};

std::string EncodeTaskState(const TaskState& state);
// Nullopt for text that is not a whole, consistent state (ranges outside the file included).
std::optional<TaskState> DecodeTaskState(const std::string& text);

// The ranges a resumed task may trust, given the boot it runs in.
RangeSet TrustedRanges(const TaskState& state, const std::string& currentBootId);

}  // namespace dlengine
