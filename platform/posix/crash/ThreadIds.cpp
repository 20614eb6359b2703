#include "platform/posix/crash/ThreadIds.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/posix/crash/CrashText.h"

namespace platform::crash {
namespace {

constexpr size_t kEntriesSize = 4096;

// A directory entry's name as a thread id; "." and ".." are none.
bool ParseThreadId(const char* name, uint32_t& id) {
    const char* end = name;
    while (*end != '\0') {
        ++end;
    }
    const char* text = name;
    uint64_t value = 0;
    if (!ReadNumber(text, end, 10, value) || text != end || value == 0 || value > UINT32_MAX) {
        return false;
    }
    id = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

size_t ReadThreadIds(uint32_t* ids, size_t capacity) {
    // Read with getdents64: opendir would allocate.
    const int fd = open("/proc/self/task", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    alignas(dirent64) char entries[kEntriesSize];
    size_t count = 0;
    for (;;) {
        const ssize_t n = getdents64(fd, entries, sizeof entries);
        if (n <= 0) {
            break;
        }
        for (ssize_t at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            if (count < capacity && ParseThreadId(entry->d_name, ids[count])) {
                ++count;
            }
            at += entry->d_reclen;
        }
    }
    close(fd);
    return count;
}

}  // namespace platform::crash
