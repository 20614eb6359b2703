#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace dlengine {

// A half-open byte range [first, end).
struct ByteSpan {
    int64_t first = 0;
    int64_t end = 0;
    int64_t size() const { return end - first; }
    bool operator==(const ByteSpan&) const = default;
};

// Disjoint, merged byte ranges: the finished parts of a file.
class RangeSet {
  public:
    void Add(ByteSpan span);
    void Clear() { spans_.clear(); }
    bool Contains(ByteSpan span) const;
    int64_t Total() const;
    // The first range of bytes in [from, limit) that the set does not hold.
    std::optional<ByteSpan> FirstGap(int64_t from, int64_t limit) const;
    // Ranges of this set clipped to [0, limit).
    RangeSet ClippedTo(int64_t limit) const;
    const std::map<int64_t, int64_t>& spans() const { return spans_; }  // first -> end
    bool operator==(const RangeSet&) const = default;

  private:
    std::map<int64_t, int64_t> spans_;
};

}  // namespace dlengine
