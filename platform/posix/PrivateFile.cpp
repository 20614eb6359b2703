#include "platform/PrivateFile.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

std::string PrivateFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && *runtime == '/' && ::stat(runtime, &info) == 0 &&
        S_ISDIR(info.st_mode) && info.st_uid == ::getuid()) {
        return runtime;
    }
    const char* temp = std::getenv("TMPDIR");
    return temp != nullptr && *temp == '/' ? temp : "/tmp";
}

}  // namespace

std::string WritePrivateFile(std::string_view stem, std::string_view bytes) {
    std::string pattern = PrivateFolder() + "/" + std::string(stem) + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkstemp creates the file exclusively with mode 0600, so no one else can have put a file
    // or a link there first.
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return {};
    }
    bool written = true;
    while (!bytes.empty() && written) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        written = n > 0;
        if (written) {
            bytes.remove_prefix(static_cast<size_t>(n));
        }
    }
    if (::close(fd) != 0 || !written) {
        ::unlink(name.data());
        return {};
    }
    return name.data();
}

}  // namespace platform
