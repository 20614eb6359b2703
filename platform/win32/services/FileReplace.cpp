#include "platform/FileReplace.h"

#include <windows.h>

#include <string>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Writes and flushes into a new or emptied file; closes it in any case.
bool WriteNewFile(const std::wstring& path, std::string_view bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != 0;
    return written && closed;
}

}  // namespace

bool WriteFileToDisk(std::u16string_view path, std::string_view bytes) {
    return !path.empty() && WriteNewFile(win32::Wide(path), bytes);
}

bool ReplaceFileContent(std::u16string_view path, std::string_view bytes) {
    if (path.empty()) {
        return false;
    }
    const std::wstring target = win32::Wide(path);
    const std::wstring temp = target + L".tmp";
    // Write-through: the call returns once the rename itself is on the disk, as the POSIX side
    // gets by flushing the folder.
    if (!WriteNewFile(temp, bytes) ||
        !MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
