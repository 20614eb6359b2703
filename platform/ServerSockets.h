#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// What a server needs of the system's sockets beyond its HTTP library: waits with a deadline,
// the listening socket's options and queue, and the process's share of open files.
namespace platform {

enum class SocketWait { Ready, TimedOut, Failed };

// Waits until the socket can be read (or written) without blocking, at most timeout. Ready
// also covers a peer that hung up or an error pending on the socket: the next call says which.
SocketWait WaitForSocket(int socket, bool forWriting, std::chrono::milliseconds timeout);

// Calls on the socket return at once instead of blocking, so that every wait goes through
// WaitForSocket and its deadline.
bool MakeNonBlocking(int socket);

// A listening socket that may take over an address left in TIME_WAIT, and only that: no other
// socket may share its port while it listens.
void AllowOnlyAddressReuse(int socket);

// A longer queue of connections not yet accepted; a crowd connecting at once would otherwise
// see its connections dropped and retried seconds later.
bool WidenListenQueue(int socket, int backlog);

// True when another socket listens on host:port, the one reason such a bind fails that an
// operator has to be told in those words.
bool PortIsTaken(const std::string& host, int port);

// Raises the soft limit of open files to the hard limit; returns the limit now in force, or 0
// when it cannot be read.
uint64_t RaiseOpenFileLimit();

// The peer's numeric address and port; empty and 0 when the socket has none.
void PeerAddressOf(int socket, std::string& address, int& port);
void LocalAddressOf(int socket, std::string& address, int& port);

void CloseSocket(int socket);

// A write to a connection its peer has closed fails instead of ending the process.
void IgnoreBrokenPipes();

}  // namespace platform
