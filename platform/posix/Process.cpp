#include "platform/Process.h"

#include <limits.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include "common/TextConvert.h"

namespace platform {

std::u16string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return {};
    }
    return AnsiToUtf16(std::string_view(buffer, static_cast<size_t>(n)));
}

bool IsAdministratorMember() {
    return geteuid() == 0;
}

int OsMajorVersion() {
    return 5;
}

bool RelaunchElevated() {
    return false;
}

int CurrentThreadId() {
    return static_cast<int>(gettid());
}

void ExitProcess(int code) {
    std::fflush(nullptr);
    _exit(code);
}

}  // namespace platform

namespace platform {

ProcessUsage CurrentProcessUsage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    ProcessUsage result;
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    result.peakResidentKiB = usage.ru_maxrss;
    return result;
}

}  // namespace platform
