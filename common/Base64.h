#pragma once

#include <cstddef>
#include <cstdint>

// Base64 with the standard alphabet, "=" padding and no line breaks.

// Writes the text of `count` bytes to `text` (no terminator; the caller supplies a zeroed buffer
// of at least Base64EncodedLength(count) + 1 bytes). Returns the number of characters written.
size_t Base64Encode(const void* bytes, size_t count, char* text);

constexpr size_t Base64EncodedLength(size_t count) {
    return (count + 2) / 3 * 4;
}

// Decodes `count` characters in groups of four. A group always yields its first byte; it yields
// a second byte only if its third character is in the alphabet, and a third only if its fourth is.
// "=", the zero byte and every other character outside the alphabet count as outside, and so do
// the missing characters of a short final group. `bytes` needs room for count / 4 * 3 + 3 bytes.
// Returns the number of bytes written.
size_t Base64Decode(const char* text, size_t count, void* bytes);

constexpr size_t Base64DecodedCapacity(size_t count) {
    return count / 4 * 3 + 3;
}
