#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// The integer at the start of a trimmed profile value: optional sign, then decimal digits or
// "0x" and hex digits; no digits gives 0. Like the system's function, the value wraps to 32
// bits. One reading for every implementation of the profile functions.
template <typename Char>
int ParseProfileInt(std::basic_string_view<Char> text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t value = 0;
    for (const Char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = static_cast<int>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<int>(c - 'a') + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<int>(c - 'A') + 10;
        }
        if (digit < 0) {
            break;
        }
        value = (value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit)) & 0xFFFFFFFFu;
    }
    const auto magnitude = static_cast<uint32_t>(value);
    return static_cast<int>(negative ? 0u - magnitude : magnitude);
}

}  // namespace platform
