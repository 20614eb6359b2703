#include "platform/posix/crash/SelfMemory.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace platform::crash {

SelfMemory::SelfMemory() : fd_(open("/proc/self/mem", O_RDONLY | O_CLOEXEC)) {}

SelfMemory::~SelfMemory() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool SelfMemory::Read(uint64_t address, void* out, size_t size) const {
    if (fd_ < 0 || address > static_cast<uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
    }
    auto* bytes = static_cast<char*>(out);
    size_t done = 0;
    // lseek and read, not pread: only the former are among the calls a signal handler may make.
    if (lseek(fd_, static_cast<off_t>(address), SEEK_SET) < 0) {
        return false;
    }
    while (done < size) {
        const ssize_t n = read(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace platform::crash
