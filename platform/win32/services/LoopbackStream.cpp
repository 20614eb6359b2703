#include "platform/LoopbackStream.h"

#include <winsock2.h>

#include <climits>

namespace platform {
namespace {

// Winsock wants one start a process before its first socket; it is never ended, as the
// process's sockets live until it ends.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

sockaddr_in LoopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int Chunk(size_t size) {
    return static_cast<int>(size < static_cast<size_t>(INT_MAX) ? size : INT_MAX);
}

class Win32Stream final : public LoopbackStream {
  public:
    explicit Win32Stream(SOCKET socket) : socket_(socket) {}
    ~Win32Stream() override { closesocket(socket_); }

    bool Send(std::string_view text) override {
        while (!text.empty()) {
            const int n = send(socket_, text.data(), Chunk(text.size()), 0);
            if (n <= 0) {
                return false;
            }
            text.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    long Receive(char* data, size_t size) override {
        const int n = recv(socket_, data, Chunk(size), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }

    void ShutDown() override { shutdown(socket_, SD_BOTH); }

  private:
    SOCKET socket_;
};

class Win32Listener final : public LoopbackListener {
  public:
    explicit Win32Listener(SOCKET socket) : socket_(socket) {}
    ~Win32Listener() override { closesocket(socket_); }

    std::unique_ptr<LoopbackStream> Accept() override {
        const SOCKET connection = accept(socket_, nullptr, nullptr);
        return connection == INVALID_SOCKET ? nullptr : std::make_unique<Win32Stream>(connection);
    }

  private:
    SOCKET socket_;
};

}  // namespace

std::unique_ptr<LoopbackListener> ListenOnLoopback(int& port) {
    if (!StartWinsock()) {
        return nullptr;
    }
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener == INVALID_SOCKET) {
        return nullptr;
    }
    sockaddr_in address = LoopbackAddress(0);
    int length = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 16) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener);
        return nullptr;
    }
    port = ntohs(address.sin_port);
    return std::make_unique<Win32Listener>(listener);
}

std::unique_ptr<LoopbackStream> ConnectToLoopback(int port) {
    if (!StartWinsock()) {
        return nullptr;
    }
    const SOCKET connection = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connection == INVALID_SOCKET) {
        return nullptr;
    }
    const sockaddr_in address = LoopbackAddress(port);
    if (connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        closesocket(connection);
        return nullptr;
    }
    return std::make_unique<Win32Stream>(connection);
}

}  // namespace platform
