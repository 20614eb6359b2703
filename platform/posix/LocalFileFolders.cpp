#include "platform/LocalFileFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/UserFolders.h"

namespace platform {
namespace {

constexpr const char* kFolderName = "kavrin/";
constexpr mode_t kPrivateMode = 0700;

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// An XDG base folder: the variable when it holds an absolute path, else the default under home.
std::string BaseFolder(const std::string& variable, const std::string& home,
                       const char* homeDefault) {
    if (!variable.empty() && variable.front() == '/') {
        return WithSlash(variable);
    }
    return WithSlash(home) + homeDefault;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string HomeOfThisUser() {
    std::string home = Variable("HOME");
    if (home.empty()) {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
    }
    return home;
}

bool IsFolder(const std::string& path) {
    struct stat entry {};
    return stat(path.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode);
}

}  // namespace

LocalFileFolders ChooseLocalFileFolders(const std::string& programDir, bool programDirWritable,
                                        const UserFolderEnvironment& environment) {
    const bool homeUsable = !environment.home.empty() && environment.home.front() == '/';
    if (programDirWritable || !homeUsable) {
        return {programDir, programDir, true};
    }
    LocalFileFolders folders;
    folders.settings =
        BaseFolder(environment.configHome, environment.home, ".config/") + kFolderName;
    folders.data =
        BaseFolder(environment.dataHome, environment.home, ".local/share/") + kFolderName;
    folders.besideProgram = false;
    return folders;
}

LocalFileFolders LocalFileFoldersOf(const std::string& programDir) {
    const UserFolderEnvironment environment{HomeOfThisUser(), Variable("XDG_CONFIG_HOME"),
                                            Variable("XDG_DATA_HOME")};
    return ChooseLocalFileFolders(programDir, IsWritableFolder(programDir), environment);
}

bool MakePrivateFolders(const std::string& folder) {
    if (folder.empty() || folder.front() != '/') {
        return false;
    }
    // Parents first; each existing one is left as it is.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), kPrivateMode) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (mkdir(folder.c_str(), kPrivateMode) != 0 && errno != EEXIST) {
        return false;
    }
    return IsFolder(folder);
}

}  // namespace platform
