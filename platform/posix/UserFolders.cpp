#include "platform/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

namespace platform {
namespace {

constexpr std::string_view kDownloadKey = "XDG_DOWNLOAD_DIR=";
constexpr std::string_view kHomePrefix = "$HOME";

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string UserDirsFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string base =
        config != nullptr && *config == '/' ? std::string(config) : HomeFolder() + "/.config";
    return base + "/user-dirs.dirs";
}

// The value between the quotes, with the file's backslash escapes undone; empty when the
// value is not quoted.
std::string Unquote(std::string_view value) {
    if (value.size() < 2 || value.front() != '"') {
        return {};
    }
    std::string text;
    for (size_t i = 1; i < value.size(); ++i) {
        if (value[i] == '"') {
            return text;
        }
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        text += value[i];
    }
    return {};
}

}  // namespace

std::string DownloadsFolderFromUserDirs(const std::string& text, const std::string& home) {
    std::istringstream lines(text);
    std::string line;
    std::string found;
    while (std::getline(lines, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, kDownloadKey.size(), kDownloadKey)) {
            continue;
        }
        // The last setting wins, as in a shell that sources the file.
        found = Unquote(std::string_view(line).substr(start + kDownloadKey.size()));
    }
    if (found.rfind(kHomePrefix, 0) == 0) {
        const std::string rest = found.substr(kHomePrefix.size());
        return rest.empty() || rest.front() == '/' ? home + rest : std::string();
    }
    return !found.empty() && found.front() == '/' ? found : std::string();
}

std::string DownloadsFolder() {
    const std::string home = HomeFolder();
    std::ifstream file(UserDirsFile());
    if (file) {
        std::ostringstream text;
        text << file.rdbuf();
        const std::string folder = DownloadsFolderFromUserDirs(text.str(), home);
        // A Downloads entry that names the home folder itself means "no such folder".
        if (!folder.empty() && folder != home && folder != home + "/") {
            return folder;
        }
    }
    return home + "/Downloads";
}

bool FreeSpace(const std::string& path, uint64_t& bytes) {
    struct statvfs volume {};
    if (statvfs(path.c_str(), &volume) != 0) {
        return false;
    }
    bytes = static_cast<uint64_t>(volume.f_bavail) * volume.f_frsize;
    return true;
}

bool IsWritableFolder(const std::string& folder) {
    struct stat entry {};
    return stat(folder.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode) &&
           access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace platform
