#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// TCP connections on the loopback interface between programs of one machine, for the test
// tools that run a program for another one (a Windows test under Wine asking the Linux side
// for a server).
namespace platform {

class LoopbackStream {
  public:
    virtual ~LoopbackStream() = default;
    // The whole text, or false.
    virtual bool Send(std::string_view text) = 0;
    // Up to size bytes as they come: 0 once the peer has closed, negative on an error.
    virtual long Receive(char* data, size_t size) = 0;
    // Ends both directions; a Receive waiting on another thread returns.
    virtual void ShutDown() = 0;
};

class LoopbackListener {
  public:
    virtual ~LoopbackListener() = default;
    // Waits for the next connection; null when the listener fails.
    virtual std::unique_ptr<LoopbackStream> Accept() = 0;
};

// Listens on 127.0.0.1 at a port the system chooses, which comes back in port.
std::unique_ptr<LoopbackListener> ListenOnLoopback(int& port);
std::unique_ptr<LoopbackStream> ConnectToLoopback(int port);

}  // namespace platform
