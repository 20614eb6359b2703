#include "engine/RangeSet.h"

#include <algorithm>
#include <iterator>

namespace dlengine {

void RangeSet::Add(ByteSpan span) {
    if (span.size() <= 0) {
        return;
    }
    auto it = spans_.upper_bound(span.first);
    if (it != spans_.begin()) {
        auto before = std::prev(it);
        if (before->second >= span.first) {
            it = before;
        }
    }
    while (it != spans_.end() && it->first <= span.end) {
        span.first = std::min(span.first, it->first);
        span.end = std::max(span.end, it->second);
        it = spans_.erase(it);
    }
    spans_.emplace(span.first, span.end);
}

bool RangeSet::Contains(ByteSpan span) const {
    if (span.size() <= 0) {
        return true;
    }
    auto it = spans_.upper_bound(span.first);
    if (it == spans_.begin()) {
        return false;
    }
    --it;
    return it->second >= span.end;
}

int64_t RangeSet::Total() const {
    int64_t total = 0;
    for (const auto& [first, end] : spans_) {
        total += end - first;
    }
    return total;
}

std::optional<ByteSpan> RangeSet::FirstGap(int64_t from, int64_t limit) const {
    int64_t cursor = from;
    auto it = spans_.upper_bound(cursor);
    if (it != spans_.begin() && std::prev(it)->second > cursor) {
        cursor = std::prev(it)->second;
    }
    if (cursor >= limit) {
        return std::nullopt;
    }
    const int64_t end = it == spans_.end() ? limit : std::min(limit, it->first);
    return ByteSpan{cursor, end};
}

RangeSet RangeSet::ClippedTo(int64_t limit) const {
    RangeSet clipped;
    for (const auto& [first, end] : spans_) {
        if (first < limit) {
            clipped.spans_.emplace(first, std::min(end, limit));
        }
    }
    return clipped;
}

}  // namespace dlengine
