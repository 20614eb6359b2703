#pragma once

#include <string>
#include <string_view>

// Narrow ("ANSI") text <-> UTF-16. On Linux the narrow character set is the locale's, which is
// UTF-8 in practice, so these convert between UTF-8 and UTF-16. Malformed input never fails: a
// byte or unit that cannot be converted becomes U+FFFD.

std::u16string AnsiToUtf16(std::string_view text);
std::string Utf16ToAnsi(std::u16string_view text);
