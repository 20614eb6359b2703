#include "platform/UserFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path != nullptr) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

std::wstring Variable(const wchar_t* name) {
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
    return n > 0 && n < std::size(buffer) ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace

std::string DownloadsFolder() {
    const std::wstring downloads = KnownFolder(FOLDERID_Downloads);
    if (!downloads.empty()) {
        return win32::Utf8(downloads);
    }
    const std::wstring profile = KnownFolder(FOLDERID_Profile);
    return win32::Utf8((profile.empty() ? Variable(L"USERPROFILE") : profile) + L"\\Downloads");
}

bool FreeSpace(const std::string& path, uint64_t& bytes) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW(win32::Wide(path).c_str(), &available, nullptr, nullptr)) {
        return false;
    }
    bytes = available.QuadPart;
    return true;
}

bool IsWritableFolder(const std::string& folder) {
    std::wstring path = win32::Wide(folder);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    // The folder's access list, a read-only volume and the user's rights all have a say: the
    // one answer that takes them all in is to make a file there.
    if (path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    const std::wstring probe =
        path + L"kavrin-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

}  // namespace platform
