#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dlengine {

// "bytes FIRST-LAST/TOTAL" of a 206 answer; total is -1 for "*".
struct ContentRange {
    int64_t first = 0;
    int64_t last = 0;
    int64_t total = -1;
};

std::optional<ContentRange> ParseContentRange(std::string_view text);

}  // namespace dlengine
