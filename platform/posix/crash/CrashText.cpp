#include "platform/posix/crash/CrashText.h"

#include "common/HexDigit.h"

namespace platform::crash {
namespace {

size_t Length(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') {
        ++length;
    }
    return length;
}

}  // namespace

bool CopyText(const char* text, char* out, size_t capacity) {
    if (capacity == 0) {
        return false;
    }
    out[0] = '\0';
    return AppendText(text, out, capacity);
}

bool AppendText(const char* text, char* out, size_t capacity) {
    const size_t have = Length(out);
    const size_t add = Length(text);
    if (have + add >= capacity) {
        return false;
    }
    for (size_t i = 0; i <= add; ++i) {
        out[have + i] = text[i];
    }
    return true;
}

bool ReadNumber(const char*& text, const char* end, unsigned base, uint64_t& value) {
    value = 0;
    const char* start = text;
    for (; text < end; ++text) {
        const int digit = HexDigitValue(*text);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) {
            break;
        }
        value = value * base + static_cast<unsigned>(digit);
    }
    return text != start;
}

void SkipSpaces(const char*& text, const char* end) {
    while (text < end && *text == ' ') {
        ++text;
    }
}

bool SameText(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

}  // namespace platform::crash
