#pragma once

#include <string_view>

// Comparing names without regard to case, as markup names, archive member names and settings
// names are compared. ASCII letters only: every such name the program knows is ASCII, and a
// locale's folding must not make two different names of a file equal.

template <typename Char>
constexpr Char FoldAsciiCase(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <typename Char>
constexpr bool EqualsNoCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
    return EqualsNoCase<char>(a, b);
}

constexpr bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return EqualsNoCase<char16_t>(a, b);
}
