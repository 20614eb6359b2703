#pragma once

// The value of one hexadecimal digit, or -1 for any other character. Free of locale and of
// allocation, so the crash handler may call it too.
template <typename Char>
constexpr int HexDigitValue(Char c) {
    if (c >= Char('0') && c <= Char('9')) {
        return static_cast<int>(c - Char('0'));
    }
    if (c >= Char('a') && c <= Char('f')) {
        return static_cast<int>(c - Char('a')) + 10;
    }
    if (c >= Char('A') && c <= Char('F')) {
        return static_cast<int>(c - Char('A')) + 10;
    }
    return -1;
}
