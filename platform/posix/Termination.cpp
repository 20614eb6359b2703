#include "platform/Termination.h"

#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

TerminationWaiter::TerminationWaiter() {
    const sigset_t set = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

void TerminationWaiter::Wait() {
    const sigset_t set = TerminationSignals();
    int received = 0;
    sigwait(&set, &received);
}

void TerminationWaiter::Wake() {
    kill(getpid(), SIGTERM);
}

void ShutdownConnection(int socket) {
    shutdown(socket, SHUT_RDWR);
}

}  // namespace platform
