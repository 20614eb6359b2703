#pragma once

#include <cstddef>
#include <cstdint>

// The per-byte transform of the envelopes: swap the two halves of the byte, then invert it.
// It is its own inverse.
constexpr uint8_t ByteScramble(uint8_t b) {
    return static_cast<uint8_t>(~((b << 4) | (b >> 4)));
}

inline void ByteScrambleAll(void* bytes, size_t count) {
    auto* p = static_cast<uint8_t*>(bytes);
    for (size_t i = 0; i < count; ++i) {
        p[i] = ByteScramble(p[i]);
    }
}
