#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

// What one connection may cost the server, in bytes and in time. A client that goes past a
// limit loses its connection; none of them holds a worker for longer than these allow.
struct ConnectionLimits {
    using Duration = std::chrono::milliseconds;

    // The TLS handshake, from the accepted connection on. A crowd that connects at once makes
    // each of its clients wait for a core on its own machine before it says a word, longer
    // than any one read would be allowed to stall: at a thousand loopback clients on two busy
    // cores the last ClientHellos came more than twenty seconds after their connections.
    Duration handshake = std::chrono::seconds(60);
    // A request's line and headers, from the first wait for them on.
    Duration requestHead = std::chrono::seconds(10);
    size_t requestHeadBytes = 64 * 1024;
    // A body gets a grace time and then must keep arriving at a least average rate, so that a
    // crash report over a slow line still arrives while a trickle of bytes is cut off.
    Duration bodyGrace = std::chrono::seconds(30);
    uint64_t bodyBytesPerSecond = 16 * 1024;
    // Longest wait for any one read or write to make progress.
    Duration readStall = std::chrono::seconds(10);
    Duration writeStall = std::chrono::seconds(10);
    // An idle connection between two requests, and how many requests one connection carries.
    // An idle connection costs a parked worker and nothing else, while a client of a loaded
    // machine may well take many seconds to ask again: cutting it sooner only makes that client
    // fail its next request.
    Duration keepAliveIdle = std::chrono::seconds(60);
    size_t requestsPerConnection = 100;
};
