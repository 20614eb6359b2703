#include "ui/windows/FreeSpaceText.h"

#include <charconv>
#include <string_view>

#include "common/TextConvert.h"

namespace {
constexpr double kBytesPerGib = 1073741824.0;
}  // namespace

// Formatted without the locale: a decimal comma would not match the skin's text.
std::u16string FreeSpaceText(uint64_t freeBytes) {
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof(digits),
                      static_cast<double>(freeBytes) / kBytesPerGib, std::chars_format::fixed, 1);
    return u"剩余:" + AnsiToUtf16(std::string_view(digits, result.ptr - digits)) + u"G";
}
