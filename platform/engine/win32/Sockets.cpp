#include "platform/engine/Sockets.h"

#include <winsock2.h>

namespace dlengine::os {

// Windows lets a program read the segment size but not choose it, so only the receive buffer
// is kept small here; the server's send buffer then follows the window alone.
int KeepBuffersSmall(std::intptr_t socket, int receiveBytes) {
    const int result =
        setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_RCVBUF,
                   reinterpret_cast<const char*>(&receiveBytes), sizeof receiveBytes);
    return result == 0 ? 0 : WSAGetLastError();
}

}  // namespace dlengine::os
