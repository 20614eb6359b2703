#include "platform/SingleInstance.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace platform {
namespace {

constexpr int kReadTimeoutMs = 2000;
constexpr char kAccepted = 1;

// An abstract socket name (no file to clean up) that holds the user id, so two users' instances
// never meet; both ends still check the peer's user id, as anyone may take any abstract name.
socklen_t MakeAddress(const std::string& className, const std::string& title,
                      sockaddr_un& address) {
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    const std::string name =
        "kavrin-instance-" + std::to_string(getuid()) + "-" + className + "-" + title;
    const size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

bool PeerIsThisUser(int fd) {
    ucred credentials{};
    socklen_t size = sizeof(credentials);
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == getuid();
}

void SetReadTimeout(int fd) {
    timeval timeout{kReadTimeoutMs / 1000, (kReadTimeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
}

bool ReadExactly(int fd, void* buffer, size_t size) {
    auto* bytes = static_cast<char*>(buffer);
    while (size > 0) {
        const ssize_t n = read(fd, bytes, size);
        if (n <= 0) {
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

class SocketListener final : public InstanceListener {
  public:
    SocketListener(int fd, WindowId target, uint32_t message)
        : fd_(fd), target_(target), message_(message) {
        thread_ = std::thread([this] { AcceptLoop(); });
    }

    ~SocketListener() override {
        stopping_ = true;
        shutdown(fd_, SHUT_RDWR);
        thread_.join();
        close(fd_);
    }

  private:
    void AcceptLoop() {
        while (!stopping_) {
            const int peer = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (peer < 0) {
                if (stopping_ || errno != EINTR) {
                    return;
                }
                continue;
            }
            Serve(peer);
            close(peer);
        }
    }

    void Serve(int peer) {
        if (!PeerIsThisUser(peer)) {
            return;
        }
        SetReadTimeout(peer);
        uint32_t message = 0;
        if (!ReadExactly(peer, &message, sizeof(message)) || message != message_) {
            return;
        }
        if (PostWindowMessage(target_, message_, 0, 0)) {
            const ssize_t written = write(peer, &kAccepted, 1);
            (void)written;
        }
    }

    int fd_;
    WindowId target_;
    uint32_t message_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace

std::unique_ptr<InstanceListener> ListenForLaterInstances(const std::string& className,
                                                          const std::string& title, WindowId target,
                                                          uint32_t message) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return nullptr;
    }
    sockaddr_un address;
    const socklen_t length = MakeAddress(className, title, address);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 4) != 0) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<SocketListener>(fd, target, message);
}

namespace {

// A connection to the listening instance of this user, opened by the lookup and used by the post.
class SocketInstance final : public RunningInstance {
  public:
    explicit SocketInstance(int fd) : fd_(fd) {}
    ~SocketInstance() override { close(fd_); }

    bool Post(uint32_t message) override {
        if (write(fd_, &message, sizeof(message)) != static_cast<ssize_t>(sizeof(message))) {
            return false;
        }
        SetReadTimeout(fd_);
        char answer = 0;
        return ReadExactly(fd_, &answer, 1) && answer == kAccepted;
    }

  private:
    int fd_;
};

}  // namespace

std::unique_ptr<RunningInstance> FindRunningInstance(const std::string& className,
                                                     const std::string& title) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return nullptr;
    }
    sockaddr_un address;
    const socklen_t length = MakeAddress(className, title, address);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || !PeerIsThisUser(fd)) {
        close(fd);
        return nullptr;
    }
    return std::make_unique<SocketInstance>(fd);
}

bool NotifyRunningInstance(const std::string& className, const std::string& title,
                           uint32_t message) {
    const auto instance = FindRunningInstance(className, title);
    return instance != nullptr && instance->Post(message);
}

}  // namespace platform
