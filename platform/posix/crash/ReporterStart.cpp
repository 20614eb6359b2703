#include "platform/posix/crash/ReporterStart.h"

#include <signal.h>
#include <unistd.h>

extern char** environ;

namespace platform::crash {
namespace {

constexpr int kLastSignal = 64;
constexpr int kFirstSharedDescriptor = 3;

// The reporter starts as a program of its own: default signal actions (an action the crashed
// process ignored would stay ignored across exec), nothing blocked (the filter blocks every
// signal while it runs, and exec keeps the mask), and none of the crashed process's files and
// sockets but the standard streams, so that it holds no download or listening socket open.
void LeaveTheCrashedProcessBehind() {
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (int signal = 1; signal <= kLastSignal; ++signal) {
        sigaction(signal, &fallback, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    close_range(kFirstSharedDescriptor, ~0u, 0);
}

}  // namespace

bool StartReporter(const char* path, const char* argument) {
    char* arguments[] = {const_cast<char*>(path), const_cast<char*>(argument), nullptr};
    // _Fork, not fork: fork runs the process's fork handlers, which take locks that the crashed
    // thread may hold.
    const pid_t child = _Fork();
    if (child == 0) {
        LeaveTheCrashedProcessBehind();
        execve(path, arguments, environ);
        _exit(127);
    }
    return child > 0;
}

}  // namespace platform::crash
