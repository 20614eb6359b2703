#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a download answer sends for a "Range" header. Only single ranges are honoured; a header
// this server does not understand (another unit, several ranges, bad syntax) is ignored and the
// whole file is sent, which HTTP allows.
struct ByteRange {
    enum class Kind { Whole, Partial, Unsatisfiable };
    Kind kind = Kind::Whole;
    uint64_t first = 0;
    uint64_t length = 0;

    // "bytes FIRST-LAST/SIZE" for a partial answer, "bytes */SIZE" for an unsatisfiable one.
    std::string ContentRange(uint64_t size) const;
};

// An empty header means no range. A last position past the end is clamped to the end; a first
// position at or past the end, a zero suffix length and any range of an empty file are
// unsatisfiable.
ByteRange ParseByteRange(std::string_view header, uint64_t size);
