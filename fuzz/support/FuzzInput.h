#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The fuzzer's bytes seen as the kinds of text the parsers take.
namespace fuzzinput {

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Each byte one UTF-16 unit, so that short inputs reach every ASCII path of a wide parser; the
// high bit spreads a byte over the upper half of the unit range.
inline std::u16string AsWideText(const uint8_t* data, size_t size) {
    std::u16string text;
    text.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = data[i];
        text.push_back(byte < 0x80 ? char16_t(byte) : char16_t(0xFF00u | byte));
    }
    return text;
}

// Takes the first eight bytes (fewer when the input is shorter) as a little-endian number and
// removes them from the input.
inline uint64_t TakeNumber(const uint8_t*& data, size_t& size) {
    uint64_t value = 0;
    const size_t count = size < 8 ? size : 8;
    for (size_t i = 0; i < count; ++i) {
        value |= uint64_t(data[i]) << (8 * i);
    }
    data += count;
    size -= count;
    return value;
}

}  // namespace fuzzinput
