#include "platform/win32/services/WideText.h"

#include "common/TextConvert.h"

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::u16string_view utf16) {
    return std::wstring(reinterpret_cast<const wchar_t*>(utf16.data()), utf16.size());
}

std::wstring Wide(std::string_view utf8) {
    return Wide(AnsiToUtf16(utf8));
}

std::u16string Utf16(std::wstring_view wide) {
    return std::u16string(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
}

std::string Utf8(std::wstring_view wide) {
    return Utf16ToAnsi(Utf16(wide));
}

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

bool IsAbsolutePath(std::wstring_view path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) {
        return true;
    }
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           !IsSeparator(path[2]);
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? std::wstring()
                                                : std::wstring(path.substr(0, separator + 1));
}

}  // namespace platform::win32
