#pragma once

#include <openssl/ssl.h>

#include <chrono>
#include <cstdint>
#include <string>

#include <httplib.h>

#include "server/ConnectionLimits.h"

// One TLS connection as the HTTP library reads and writes it, on a non-blocking socket so that
// every wait has a deadline: the handshake's, the request head's (with its byte budget) or the
// body's. A read or write past its limit fails, and the connection is then cut off; a head that
// is too large or too slow is first answered with the status that says so.
class TlsStream final : public httplib::Stream {
  public:
    using Clock = std::chrono::steady_clock;
    // Why a request head was refused, if it was.
    enum class HeadRefusal { None, TooLarge, TooSlow };

    TlsStream(SSL* ssl, int socket, const ConnectionLimits& limits)
        : ssl_(ssl), socket_(socket), limits_(limits) {}

    bool Handshake();
    // Starts the deadline and byte budget of the next request's line and headers.
    void BeginRequestHead();
    // The head is read: what follows is the body, under the body's pace.
    void BeginBody();
    // True once a limit cut a read or write short; the connection must not carry on.
    bool Exceeded() const { return exceeded_; }
    HeadRefusal Refusal() const { return refusal_; }
    // Sends the answer that names the refusal in place of whatever the library made of the
    // cut-off head, which it only ever sees as a broken one.
    void AnswerRefusal();
    // Polls in short steps until a request arrives, so that a stopping server is noticed.
    bool WaitForRequest(Clock::duration idle, const std::function<bool()>& running);
    void Close();

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return socket_; }

  private:
    enum class Phase { Handshake, Head, Body };

    // Waits for what the last TLS call asked for, until the earlier of the stall limit and
    // the phase's deadline; false when it did not come.
    bool WaitFor(int tlsError, Clock::duration stall);
    Clock::time_point ReadDeadline() const;
    size_t ReadAllowance(size_t size);
    void Refuse(HeadRefusal refusal);
    ssize_t WriteThrough(const char* ptr, size_t size);
    // Reads and drops what the client still sends, for a while, so that closing with its bytes
    // unread does not reset the connection before it has read the refusal.
    void DrainBeforeClose();

    SSL* ssl_;
    int socket_;
    const ConnectionLimits& limits_;
    Phase phase_ = Phase::Handshake;
    Clock::time_point phaseStart_ = Clock::now();
    uint64_t phaseBytes_ = 0;
    bool exceeded_ = false;
    HeadRefusal refusal_ = HeadRefusal::None;
};
