#include "platform/Profile.h"

#include <windows.h>

#include <vector>

#include "platform/FileReplace.h"
#include "platform/ProfileNumber.h"
#include "platform/win32/services/WideText.h"

// The system's header names its functions like ours.
#undef GetPrivateProfileInt
#undef GetPrivateProfileString
#undef WritePrivateProfileString

// The system's own profile functions read a file without a byte-order mark in the machine's
// narrow code page, and write new text into such a file in it too: Chinese text in a file made
// on a Western system would turn into question marks. A file that starts with the UTF-16 mark
// is read and written in UTF-16, so every file is given that form before it is written, its
// UTF-8 content (as the other systems' builds and the installer leave it) carried over.
namespace platform {
namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
// A default no file line can hold, so that a key set to the caller's default is told apart
// from a missing one.
constexpr const wchar_t* kMissing = L"\x01\x02missing\x02\x01";
constexpr DWORD kValueCapacity = 65536;

std::wstring FullPath(std::u16string_view file) {
    const std::wstring path = win32::Wide(file);
    // A bare name would be looked for in the system's own folder, not the current one.
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD n = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(n < needed ? n : 0);
    return full.empty() ? path : full;
}

// The file's bytes; false when it does not exist or cannot be read.
bool ReadBytes(const std::wstring& path, std::string& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bytes.clear();
    char buffer[16384];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &n, nullptr) != 0) && n > 0) {
        bytes.append(buffer, n);
    }
    CloseHandle(file);
    return ok;
}

bool IsPlainAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Rewrites a file that is not UTF-16 yet as UTF-16 with its mark; a missing file is made as an
// empty one with the mark when it is about to be written. Reading a plain ASCII file needs no
// change, as every code page reads it alike.
bool MakeUnicode(const std::wstring& path, bool forWriting) {
    std::string bytes;
    if (!ReadBytes(path, bytes)) {
        if (!forWriting) {
            return true;
        }
        // A file that exists but cannot be read is left to the system's call to refuse.
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
               ReplaceFileContent(win32::Utf16(path), std::string_view(kUtf16Mark, 2));
    }
    if (bytes.starts_with(std::string_view(kUtf16Mark, 2)) ||
        (!forWriting && IsPlainAscii(bytes))) {
        return true;
    }
    std::string_view text = bytes;
    if (text.starts_with(kUtf8Mark)) {
        text.remove_prefix(3);
    }
    const std::wstring wide = win32::Wide(text);
    std::string converted(kUtf16Mark, 2);
    converted.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return ReplaceFileContent(win32::Utf16(path), converted);
}

// The key's value as the system reads it, cut to capacity - 1 units; nothing when it is missing.
bool ReadValue(std::u16string_view section, std::u16string_view key, DWORD capacity,
               std::u16string_view file, std::wstring& value) {
    const std::wstring path = FullPath(file);
    MakeUnicode(path, false);
    std::vector<wchar_t> buffer(capacity + 1, L'\0');
    const DWORD n = GetPrivateProfileStringW(win32::Wide(section).c_str(), win32::Wide(key).c_str(),
                                             kMissing, buffer.data(), capacity, path.c_str());
    value.assign(buffer.data(), n);
    return value != kMissing;
}

bool HasLineBreak(std::u16string_view text) {
    return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

}  // namespace

int GetPrivateProfileInt(std::u16string_view section, std::u16string_view key, int def,
                         std::u16string_view file) {
    std::wstring value;
    if (!ReadValue(section, key, kValueCapacity, file, value)) {
        return def;
    }
    return ParseProfileInt(std::wstring_view(value));
}

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view def, size_t capacity,
                                       std::u16string_view file) {
    const size_t limit = capacity == 0 ? 0 : capacity - 1;
    std::wstring value;
    // One unit more than the caller's buffer, so that the sentinel's length cannot be cut short
    // into a false match.
    const DWORD asked =
        static_cast<DWORD>(std::min<size_t>(std::max<size_t>(limit, 16) + 1, kValueCapacity));
    std::u16string result =
        ReadValue(section, key, asked, file, value) ? win32::Utf16(value) : std::u16string(def);
    if (result.size() > limit) {
        result.resize(limit);
    }
    return result;
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view file) {
    // The system's function would write these as they are and break the file's lines.
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || key.find(u'=') != std::u16string_view::npos ||
        section.find(u']') != std::u16string_view::npos) {
        return false;
    }
    const std::wstring path = FullPath(file);
    if (!MakeUnicode(path, true)) {
        return false;
    }
    return WritePrivateProfileStringW(win32::Wide(section).c_str(), win32::Wide(key).c_str(),
                                      win32::Wide(value).c_str(), path.c_str()) != 0;
}

}  // namespace platform
