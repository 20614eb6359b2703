#include "platform/LoopbackStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

class PosixStream final : public LoopbackStream {
  public:
    explicit PosixStream(int socket) : socket_(socket) {}
    ~PosixStream() override { close(socket_); }

    bool Send(std::string_view text) override {
        while (!text.empty()) {
            const ssize_t n = send(socket_, text.data(), text.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            text.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    long Receive(char* data, size_t size) override {
        for (;;) {
            const ssize_t n = recv(socket_, data, size, 0);
            if (n >= 0 || errno != EINTR) {
                return static_cast<long>(n);
            }
        }
    }

    void ShutDown() override { shutdown(socket_, SHUT_RDWR); }

  private:
    int socket_;
};

class PosixListener final : public LoopbackListener {
  public:
    explicit PosixListener(int socket) : socket_(socket) {}
    ~PosixListener() override { close(socket_); }

    std::unique_ptr<LoopbackStream> Accept() override {
        for (;;) {
            const int connection = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection >= 0) {
                return std::make_unique<PosixStream>(connection);
            }
            if (errno != EINTR && errno != ECONNABORTED) {
                return nullptr;
            }
        }
    }

  private:
    int socket_;
};

}  // namespace

std::unique_ptr<LoopbackListener> ListenOnLoopback(int& port) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0) {
        return nullptr;
    }
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 16) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(listener);
        return nullptr;
    }
    port = ntohs(address.sin_port);
    return std::make_unique<PosixListener>(listener);
}

std::unique_ptr<LoopbackStream> ConnectToLoopback(int port) {
    const int connection = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connection < 0) {
        return nullptr;
    }
    const sockaddr_in address = LoopbackAddress(port);
    if (connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(connection);
        return nullptr;
    }
    return std::make_unique<PosixStream>(connection);
}

}  // namespace platform
