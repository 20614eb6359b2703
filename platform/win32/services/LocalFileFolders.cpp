#include "platform/LocalFileFolders.h"

#include <windows.h>

#include "platform/UserFolders.h"
#include "platform/win32/services/WideText.h"

// Here the environment's three members hold the profile folder (USERPROFILE), the roaming
// application data (APPDATA) and the local application data (LOCALAPPDATA): settings roam with
// the user, the record of downloads belongs to this machine's disks.
namespace platform {
namespace {

constexpr const char* kFolderName = "Kavrin\\";

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder;
}

bool IsAbsolute(const std::string& path) {
    return win32::IsAbsolutePath(win32::Wide(path));
}

std::string BaseFolder(const std::string& variable, const std::string& home,
                       const char* homeDefault) {
    return IsAbsolute(variable) ? WithSeparator(variable) : WithSeparator(home) + homeDefault;
}

std::string Variable(const wchar_t* name) {
    wchar_t buffer[32768];
    const DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(std::size(buffer)));
    return n > 0 && n < std::size(buffer) ? win32::Utf8(std::wstring_view(buffer, n)) : "";
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

LocalFileFolders ChooseLocalFileFolders(const std::string& programDir, bool programDirWritable,
                                        const UserFolderEnvironment& environment) {
    if (programDirWritable || !IsAbsolute(environment.home)) {
        return {programDir, programDir, true};
    }
    LocalFileFolders folders;
    folders.settings =
        BaseFolder(environment.configHome, environment.home, "AppData\\Roaming\\") + kFolderName;
    folders.data =
        BaseFolder(environment.dataHome, environment.home, "AppData\\Local\\") + kFolderName;
    folders.besideProgram = false;
    return folders;
}

LocalFileFolders LocalFileFoldersOf(const std::string& programDir) {
    const UserFolderEnvironment environment{Variable(L"USERPROFILE"), Variable(L"APPDATA"),
                                            Variable(L"LOCALAPPDATA")};
    return ChooseLocalFileFolders(programDir, IsWritableFolder(programDir), environment);
}

bool MakePrivateFolders(const std::string& folder) {
    const std::wstring path = win32::Wide(folder);
    if (!win32::IsAbsolutePath(path)) {
        return false;
    }
    // Parents first; each existing one is left as it is. New folders take the access list of
    // the one above, which under the user's profile admits this user and the system alone.
    const size_t first = path.find_first_of(L"\\/", path[1] == L':' ? 3 : 2);
    for (size_t separator = first; separator != std::wstring::npos;
         separator = path.find_first_of(L"\\/", separator + 1)) {
        const std::wstring part = path.substr(0, separator);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
            !IsFolder(part)) {
            return false;
        }
    }
    CreateDirectoryW(path.c_str(), nullptr);
    return IsFolder(path);
}

}  // namespace platform
