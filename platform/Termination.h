#pragma once

// Termination requests (Ctrl+C, a kill) for a program that stops in its own code rather than
// inside a signal handler: one thread waits for the request, the others never see it.
namespace platform {

class TerminationWaiter {
  public:
    // Must be made before any other thread starts, so that every thread inherits the blocking.
    // A peer that hangs up mid-write no longer ends the process either.
    TerminationWaiter();

    // Returns when a termination request arrives (or Wake is called).
    void Wait();

    // Makes a pending or later Wait return, as a request would.
    void Wake();
};

// Ends a connection at once, without any further exchange on it: the peer reads the end of the
// stream. For servers that must drop a request unanswered.
void ShutdownConnection(int socket);

}  // namespace platform
