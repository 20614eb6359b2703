#include "platform/engine/Sockets.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>

namespace dlengine::os {

namespace {

constexpr int kEthernetSegment = 1460;

}  // namespace

int KeepBuffersSmall(std::intptr_t socket, int receiveBytes) {
    const int fd = static_cast<int>(socket);
    if (setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBytes, sizeof receiveBytes) != 0) {
        return errno;
    }
    const int segment = kEthernetSegment;
    return setsockopt(fd, IPPROTO_TCP, TCP_MAXSEG, &segment, sizeof segment) == 0 ? 0 : errno;
}

}  // namespace dlengine::os
