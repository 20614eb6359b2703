#pragma once

#include <cstdint>

// The engine's one setting on the sockets curl opens for it.
namespace dlengine::os {

// Keeps what a server can push at this socket before it hears that the answer is unwanted
// small: the receive buffer (and so the window offered) is capped at receiveBytes, and the
// segments asked for are no larger than an Ethernet frame carries, since the server's system
// sizes its send buffer from the segment size. Set before the connection is made, so both are
// agreed at that size. 0 on success, an errno-style code otherwise.
int KeepBuffersSmall(std::intptr_t socket, int receiveBytes);

}  // namespace dlengine::os
