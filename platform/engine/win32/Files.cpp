#include "platform/engine/Files.h"

#include <windows.h>

#include <cerrno>

// The engine shares no code with the client, so it converts its UTF-8 paths itself.
namespace dlengine::os {
namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

// The engine's callers speak errno codes: the system's errors that mean the same are given the
// same code, every other one is an input/output error.
int ErrorCode(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_TOO_LARGE:
            return EFBIG;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_INVALID_NAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        default:
            return EIO;
    }
}

int LastError() {
    return ErrorCode(GetLastError());
}

// The header keeps the descriptor in an int. A kernel handle has only 32 significant bits, and
// the system itself passes them between 32- and 64-bit processes sign-extended, so the handle
// goes through it unchanged.
HANDLE AsHandle(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd));
}

int WriteWhole(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        if (!WriteFile(file, data, chunk, &done, nullptr)) {
            return LastError();
        }
        if (done == 0) {
            return EIO;
        }
        data += done;
        size -= done;
    }
    return 0;
}

}  // namespace

PartFile::~PartFile() {
    Close();
}

int PartFile::Open(const std::string& path) {
    Close();
    // Others may read, write, rename and delete it while it is open, as on POSIX: the finished
    // file is renamed while the last writer lets go of it.
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    fd_ = static_cast<int>(reinterpret_cast<intptr_t>(file));
    return 0;
}

int PartFile::Write(int64_t offset, const char* data, size_t size) {
    // Each call names its own offset, so writers on several threads never share a position.
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
        at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
        const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        DWORD done = 0;
        if (!WriteFile(AsHandle(fd_), data, chunk, &done, &at)) {
            return LastError();
        }
        if (done == 0) {
            return EIO;
        }
        data += done;
        size -= done;
        offset += done;
    }
    return 0;
}

int PartFile::Sync() {
    return FlushFileBuffers(AsHandle(fd_)) ? 0 : LastError();
}

int PartFile::Truncate(int64_t size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return SetFileInformationByHandle(AsHandle(fd_), FileEndOfFileInfo, &end, sizeof end)
               ? 0
               : LastError();
}

int64_t PartFile::Size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(AsHandle(fd_), &size) ? size.QuadPart : -1;
}

void PartFile::Close() {
    if (fd_ != -1) {
        CloseHandle(AsHandle(fd_));
        fd_ = -1;
    }
}

bool IsDiskFullError(int error) {
    return error == ENOSPC || error == EFBIG;
}

bool ReadSmallFile(const std::string& path, std::string& text) {
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string bytes;
    char buffer[16384];
    DWORD n = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &n, nullptr) != 0) && n > 0) {
        bytes.append(buffer, n);
    }
    CloseHandle(file);
    if (ok) {
        text = std::move(bytes);
    }
    return ok;
}

int ReplaceSmallFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".new";
    const HANDLE file = CreateFileW(Wide(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    const int error = WriteWhole(file, text.data(), text.size());
    CloseHandle(file);
    if (error != 0) {
        RemoveFile(temporary);
        return error;
    }
    const int renamed = RenameFile(temporary, path);
    if (renamed != 0) {
        RemoveFile(temporary);
    }
    return renamed;
}

int RenameFile(const std::string& from, const std::string& to) {
    // Without the flag the system refuses to rename over an existing file, where POSIX replaces.
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)
               ? 0
               : LastError();
}

void RemoveFile(const std::string& path) {
    DeleteFileW(Wide(path).c_str());
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<int64_t> FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(Wide(folder).c_str(), &available, nullptr, nullptr)) {
        return std::nullopt;
    }
    return static_cast<int64_t>(available.QuadPart);
}

}  // namespace dlengine::os
