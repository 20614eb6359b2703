#include "platform/ServerSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

using AddressReader = int (*)(int, sockaddr*, socklen_t*);

void AddressOf(int socket, AddressReader reader, std::string& address, int& port) {
    address.clear();
    port = 0;
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (reader(socket, reinterpret_cast<sockaddr*>(&storage), &length) != 0) {
        return;
    }
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (getnameinfo(reinterpret_cast<sockaddr*>(&storage), length, host, sizeof host, service,
                    sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        address = host;
        port = std::atoi(service);
    }
}

}  // namespace

SocketWait WaitForSocket(int socket, bool forWriting, std::chrono::milliseconds timeout) {
    pollfd entry{socket, static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
    const auto count = timeout.count() > INT_MAX ? INT_MAX : static_cast<int>(timeout.count());
    for (;;) {
        const int ready = poll(&entry, 1, count < 0 ? 0 : count);
        if (ready > 0) {
            return (entry.revents & POLLNVAL) != 0 ? SocketWait::Failed : SocketWait::Ready;
        }
        if (ready == 0) {
            return SocketWait::TimedOut;
        }
        // A signal cuts the wait short; waiting the whole timeout again errs on the long side.
        if (errno != EINTR) {
            return SocketWait::Failed;
        }
    }
}

bool MakeNonBlocking(int socket) {
    const int flags = fcntl(socket, F_GETFL);
    return flags >= 0 && fcntl(socket, F_SETFL, flags | O_NONBLOCK) == 0;
}

void AllowOnlyAddressReuse(int socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

bool WidenListenQueue(int socket, int backlog) {
    // A second listen on a listening socket only changes the length of its queue.
    return listen(socket, backlog) == 0;
}

bool PortIsTaken(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_PASSIVE;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool taken = false;
    for (const addrinfo* each = found; each != nullptr && !taken; each = each->ai_next) {
        const int probe = ::socket(each->ai_family, each->ai_socktype, each->ai_protocol);
        if (probe < 0) {
            continue;
        }
        AllowOnlyAddressReuse(probe);
        taken = bind(probe, each->ai_addr, each->ai_addrlen) != 0 && errno == EADDRINUSE;
        close(probe);
    }
    freeaddrinfo(found);
    return taken;
}

uint64_t RaiseOpenFileLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 0;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit = raised;
        }
    }
    return limit.rlim_cur == RLIM_INFINITY ? UINT64_MAX : static_cast<uint64_t>(limit.rlim_cur);
}

void PeerAddressOf(int socket, std::string& address, int& port) {
    AddressOf(socket, getpeername, address, port);
}

void LocalAddressOf(int socket, std::string& address, int& port) {
    AddressOf(socket, getsockname, address, port);
}

void CloseSocket(int socket) {
    close(socket);
}

void IgnoreBrokenPipes() {
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace platform
