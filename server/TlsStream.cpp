#include "server/TlsStream.h"

#include <algorithm>
#include <string_view>

#include "platform/ServerSockets.h"

namespace {

using Clock = TlsStream::Clock;

constexpr auto kIdlePollStep = std::chrono::milliseconds(100);
constexpr auto kDrainTime = std::chrono::seconds(2);
constexpr size_t kDrainBytes = 1024 * 1024;

constexpr std::string_view kTooLarge =
    "HTTP/1.1 431 Request Header Fields Too Large\r\nConnection: close\r\n"
    "Content-Length: 0\r\n\r\n";
constexpr std::string_view kTooSlow =
    "HTTP/1.1 408 Request Timeout\r\nConnection: close\r\nContent-Length: 0\r\n\r\n";

std::chrono::milliseconds Until(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::ceil<std::chrono::milliseconds>(left));
}

}  // namespace

// The handshake's own deadline bounds each of its waits, not the shorter stall of a read: a
// crowd connecting at once keeps both ends' cores busy, and a client that is merely queued for
// one is not a slow client.
bool TlsStream::Handshake() {
    phase_ = Phase::Handshake;
    phaseStart_ = Clock::now();
    const auto deadline = phaseStart_ + limits_.handshake;
    for (;;) {
        const int result = SSL_accept(ssl_);
        if (result == 1) {
            return true;
        }
        const int error = SSL_get_error(ssl_, result);
        if (error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) {
            return false;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero() || !WaitFor(error, left)) {
            return false;
        }
    }
}

void TlsStream::BeginRequestHead() {
    phase_ = Phase::Head;
    phaseStart_ = Clock::now();
    phaseBytes_ = 0;
}

void TlsStream::BeginBody() {
    phase_ = Phase::Body;
    phaseStart_ = Clock::now();
    phaseBytes_ = 0;
}

bool TlsStream::WaitForRequest(Clock::duration idle, const std::function<bool()>& running) {
    const auto deadline = Clock::now() + idle;
    while (running()) {
        if (SSL_pending(ssl_) > 0) {
            return true;
        }
        const auto step = std::min<Clock::duration>(kIdlePollStep, deadline - Clock::now());
        if (step <= Clock::duration::zero()) {
            return false;
        }
        switch (platform::WaitForSocket(socket_, false,
                                        std::chrono::ceil<std::chrono::milliseconds>(step))) {
            case platform::SocketWait::Ready:
                return true;
            case platform::SocketWait::Failed:
                return false;
            case platform::SocketWait::TimedOut:
                break;
        }
    }
    return false;
}

void TlsStream::AnswerRefusal() {
    const std::string_view answer = refusal_ == HeadRefusal::TooLarge ? kTooLarge : kTooSlow;
    exceeded_ = false;
    size_t sent = 0;
    while (sent < answer.size()) {
        const ssize_t wrote = WriteThrough(answer.data() + sent, answer.size() - sent);
        if (wrote <= 0) {
            return;
        }
        sent += static_cast<size_t>(wrote);
    }
}

void TlsStream::Close() {
    // One attempt at the closing alert; a peer that does not take it is not waited for.
    SSL_shutdown(ssl_);
    if (refusal_ == HeadRefusal::TooLarge) {
        DrainBeforeClose();
    }
}

void TlsStream::DrainBeforeClose() {
    const auto until = Clock::now() + kDrainTime;
    char scrap[16 * 1024];
    for (size_t drained = 0; drained < kDrainBytes;) {
        const int result = SSL_read(ssl_, scrap, sizeof scrap);
        if (result > 0) {
            drained += static_cast<size_t>(result);
            continue;
        }
        const int error = SSL_get_error(ssl_, result);
        if (error != SSL_ERROR_WANT_READ || Clock::now() >= until ||
            platform::WaitForSocket(socket_, false, Until(until)) != platform::SocketWait::Ready) {
            return;
        }
    }
}

bool TlsStream::is_readable() const {
    return SSL_pending(ssl_) > 0 ||
           platform::WaitForSocket(socket_, false,
                                   std::min(limits_.readStall, Until(ReadDeadline()))) ==
               platform::SocketWait::Ready;
}

bool TlsStream::is_writable() const {
    return platform::WaitForSocket(socket_, true, limits_.writeStall) ==
           platform::SocketWait::Ready;
}

ssize_t TlsStream::read(char* ptr, size_t size) {
    const size_t allowed = ReadAllowance(size);
    if (Clock::now() > ReadDeadline()) {
        Refuse(HeadRefusal::TooSlow);
        exceeded_ = true;
        return -1;
    }
    if (allowed == 0) {
        return size == 0 ? 0 : -1;
    }
    for (;;) {
        const int result =
            SSL_read(ssl_, ptr, static_cast<int>(std::min<size_t>(allowed, INT32_MAX)));
        if (result > 0) {
            phaseBytes_ += static_cast<uint64_t>(result);
            return result;
        }
        const int error = SSL_get_error(ssl_, result);
        if (error == SSL_ERROR_ZERO_RETURN) {
            return 0;
        }
        if ((error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) ||
            !WaitFor(error, limits_.readStall)) {
            return -1;
        }
    }
}

ssize_t TlsStream::write(const char* ptr, size_t size) {
    // The library's own answer to a head it could not finish would be a plain 400.
    if (refusal_ != HeadRefusal::None) {
        return static_cast<ssize_t>(size);
    }
    return WriteThrough(ptr, size);
}

ssize_t TlsStream::WriteThrough(const char* ptr, size_t size) {
    if (size == 0) {
        return 0;
    }
    for (;;) {
        const int result =
            SSL_write(ssl_, ptr, static_cast<int>(std::min<size_t>(size, INT32_MAX)));
        if (result > 0) {
            return result;
        }
        const int error = SSL_get_error(ssl_, result);
        if ((error != SSL_ERROR_WANT_READ && error != SSL_ERROR_WANT_WRITE) ||
            !WaitFor(error, limits_.writeStall)) {
            exceeded_ = true;
            return -1;
        }
    }
}

void TlsStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    platform::PeerAddressOf(socket_, ip, port);
}

void TlsStream::get_local_ip_and_port(std::string& ip, int& port) const {
    platform::LocalAddressOf(socket_, ip, port);
}

bool TlsStream::WaitFor(int tlsError, Clock::duration stall) {
    const bool forWriting = tlsError == SSL_ERROR_WANT_WRITE;
    auto timeout = std::chrono::ceil<std::chrono::milliseconds>(stall);
    if (!forWriting) {
        timeout = std::min(timeout, Until(ReadDeadline()));
    }
    if (platform::WaitForSocket(socket_, forWriting, timeout) == platform::SocketWait::Ready) {
        return true;
    }
    if (!forWriting) {
        Refuse(HeadRefusal::TooSlow);
    }
    exceeded_ = true;
    return false;
}

// Only a head is answered when refused; a body or a handshake past its limit just ends.
void TlsStream::Refuse(HeadRefusal refusal) {
    if (phase_ == Phase::Head && refusal_ == HeadRefusal::None) {
        refusal_ = refusal;
    }
}

// A body's deadline moves on with every byte that arrives at the least rate.
Clock::time_point TlsStream::ReadDeadline() const {
    if (phase_ == Phase::Handshake) {
        return phaseStart_ + limits_.handshake;
    }
    if (phase_ == Phase::Head) {
        return phaseStart_ + limits_.requestHead;
    }
    const auto paced = std::chrono::milliseconds(phaseBytes_ * 1000 /
                                                 std::max<uint64_t>(1, limits_.bodyBytesPerSecond));
    return phaseStart_ + limits_.bodyGrace + paced;
}

// The head's budget: once spent, the read fails and the library refuses the request.
size_t TlsStream::ReadAllowance(size_t size) {
    if (phase_ == Phase::Body) {
        return size;
    }
    if (phaseBytes_ >= limits_.requestHeadBytes) {
        Refuse(HeadRefusal::TooLarge);
        exceeded_ = true;
        return 0;
    }
    return std::min<size_t>(size, limits_.requestHeadBytes - phaseBytes_);
}
