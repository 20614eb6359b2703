#pragma once

#include <string>
#include <string_view>

// The project's texts are UTF-8 or UTF-16 in char16_t; the system's wide calls take wchar_t,
// which is the same 16-bit unit on this system.
namespace platform::win32 {

std::wstring Wide(std::string_view utf8);
std::wstring Wide(std::u16string_view utf16);
std::string Utf8(std::wstring_view wide);
std::u16string Utf16(std::wstring_view wide);

// Whether the path names a place without help from a current folder or drive: "C:\..." (or
// "C:/...") or a network path "\\server\share...".
bool IsAbsolutePath(std::wstring_view path);

// The folder part of a path, with its final separator; empty when the path has none.
std::wstring FolderOf(std::wstring_view path);

}  // namespace platform::win32
