#include "platform/Process.h"

#include <limits.h>
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

void ExitProcess(int code) {
    std::fflush(nullptr);
    _exit(code);
}

}  // namespace platform
