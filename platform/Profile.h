#pragma once

#include <string>
#include <string_view>

// Private-profile (.ini) files: "[section]" headers and "key=value" lines, read and written as
// the Windows functions of the same names do. Section and key names match without regard to
// case; lines starting with ";" are comments. A missing or unreadable file yields the defaults;
// a write creates the file and keeps every other section, key, comment and blank line. Files are
// UTF-8; names and values are UTF-16 as the wide-character variants take them.
namespace platform {

// The integer value of the key: optional sign and decimal digits (or "0x" and hex digits) at the
// start of the trimmed value; text without leading digits gives 0; a missing key gives `def`.
int GetPrivateProfileInt(std::u16string_view section, std::u16string_view key, int def,
                         std::u16string_view file);

// The value of the key with surrounding blanks and one pair of matching quotes removed, or
// `def` when the key is missing; cut to `capacity` - 1 units as a buffer of `capacity` units
// (terminator included) would hold it.
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view def, size_t capacity,
                                       std::u16string_view file);

// Sets the key's value, adding the key or section as needed. Returns false when the file cannot
// be written or the value holds a line break (which would corrupt the file).
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view file);

}  // namespace platform
