#include "platform/SingleInstance.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace platform {
namespace {

constexpr int kReadTimeoutMs = 2000;
constexpr char kAccepted = 1;

// Tests and a player's own Kavrin of the same user would otherwise meet on one name; a name
// space from the environment keeps each apart. Without one the name is the one every earlier
// version listened under, so a new start still finds an older running instance.
std::string NameSpacePrefix() {
    const char* space = std::getenv("KAVRIN_INSTANCE_NAMESPACE");
    return space != nullptr && space[0] != '\0' ? std::string(space) + "-" : std::string();
}

// An abstract socket name (no file to clean up) that holds the user id, so two users' instances
// never meet; both ends still check the peer's user id, as anyone may take any abstract name.
socklen_t MakeAddress(const std::string& className, const std::string& title,
                      sockaddr_un& address) {
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    const std::string name = "kavrin-instance-" + std::to_string(getuid()) + "-" +
                             NameSpacePrefix() + className + "-" + title;
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
            const ssize_t written = send(peer, &kAccepted, 1, MSG_NOSIGNAL);
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

// A connection to the listening instance of this user, or -1. The listener serves one peer at a
// time and gives each a short time to speak, so nobody keeps a connection open while not
// talking.
int ConnectToInstance(const sockaddr_un& address, socklen_t length) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        !PeerIsThisUser(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

// The listening instance found by the lookup. The lookup only asks whether it listens and hangs
// up; the post connects again and speaks at once, so however long a caller waits between the
// two, the listener's time limit for a silent peer never runs out on it.
class SocketInstance final : public RunningInstance {
  public:
    SocketInstance(const sockaddr_un& address, socklen_t length)
        : address_(address), length_(length) {}

    bool Post(uint32_t message) override {
        const int fd = ConnectToInstance(address_, length_);
        if (fd < 0) {
            return false;
        }
        bool accepted = false;
        if (send(fd, &message, sizeof(message), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(sizeof(message))) {
            SetReadTimeout(fd);
            char answer = 0;
            accepted = ReadExactly(fd, &answer, 1) && answer == kAccepted;
        }
        close(fd);
        return accepted;
    }

  private:
    sockaddr_un address_;
    socklen_t length_;
};

}  // namespace

std::unique_ptr<RunningInstance> FindRunningInstance(const std::string& className,
                                                     const std::string& title) {
    sockaddr_un address;
    const socklen_t length = MakeAddress(className, title, address);
    const int fd = ConnectToInstance(address, length);
    if (fd < 0) {
        return nullptr;
    }
    close(fd);
    return std::make_unique<SocketInstance>(address, length);
}

bool NotifyRunningInstance(const std::string& className, const std::string& title,
                           uint32_t message) {
    const auto instance = FindRunningInstance(className, title);
    return instance != nullptr && instance->Post(message);
}

}  // namespace platform
