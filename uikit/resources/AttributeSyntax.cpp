#include "uikit/resources/AttributeSyntax.h"

#include <climits>

#include "common/HexDigit.h"

namespace uikit {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads a signed decimal at text[pos], advancing pos past it. Large values saturate instead of
// overflowing, since markup is data and must never cause undefined behaviour.
int ReadInt(std::u16string_view text, size_t& pos) {
    while (pos < text.size() && (text[pos] == u' ' || (text[pos] >= u'\t' && text[pos] <= u'\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (value <= INT_MAX) {
            value = value * 10 + (text[pos] - u'0');
        }
        ++pos;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace

int ParseInt(std::u16string_view text) {
    size_t pos = 0;
    return ReadInt(text, pos);
}

int ParseIntList(std::u16string_view text, int* values, int count) {
    size_t pos = 0;
    int read = 0;
    for (int i = 0; i < count; ++i) {
        values[i] = 0;
    }
    while (read < count && pos < text.size()) {
        values[read++] = ReadInt(text, pos);
        if (pos >= text.size()) {
            break;
        }
        ++pos;  // exactly one separator, whatever it is
    }
    return read;
}

Rect ParseRect(std::u16string_view text) {
    int v[4];
    ParseIntList(text, v, 4);
    return Rect{v[0], v[1], v[2], v[3]};
}

Size ParseSize(std::u16string_view text) {
    int v[2];
    ParseIntList(text, v, 2);
    return Size{v[0], v[1]};
}

Point ParsePoint(std::u16string_view text) {
    int v[2];
    ParseIntList(text, v, 2);
    return Point{v[0], v[1]};
}

bool ParseBool(std::u16string_view text) {
    return text == u"true";
}

uint32_t ParseColor(std::u16string_view text) {
    if (!text.empty() && text.front() == u'#') {
        text.remove_prefix(1);
    }
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    for (char16_t c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

AttributeList ParseAttributeList(std::u16string_view text) {
    AttributeList list;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t equals = text.find(u'=', pos);
        if (equals == std::u16string_view::npos || equals + 1 >= text.size() ||
            text[equals + 1] != u'"') {
            break;
        }
        const size_t close = text.find(u'"', equals + 2);
        if (close == std::u16string_view::npos) {
            break;
        }
        list.emplace_back(text.substr(pos, equals - pos),
                          text.substr(equals + 2, close - equals - 2));
        // Exactly one space: a second one ends the list here.
        if (close + 2 >= text.size() || text[close + 1] != u' ' || text[close + 2] == u' ') {
            break;
        }
        pos = close + 2;
    }
    return list;
}

}  // namespace uikit
