#include "platform/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "common/TextConvert.h"

namespace platform {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The rename itself reaches the disk only with its folder.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes and flushes into an open file; closes it in any case.
bool WriteAndClose(int fd, std::string_view bytes) {
    const bool written = WriteAll(fd, bytes) && ::fdatasync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

}  // namespace

bool WriteFileToDisk(std::u16string_view path, std::string_view bytes) {
    const std::string target = Utf16ToAnsi(path);
    const int fd = target.empty()
                       ? -1
                       : ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 && WriteAndClose(fd, bytes);
}

bool ReplaceFileContent(std::u16string_view path, std::string_view bytes) {
    const std::string target = Utf16ToAnsi(path);
    if (target.empty()) {
        return false;
    }
    const std::string temp = target + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    if (!WriteAndClose(fd, bytes) || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace platform
