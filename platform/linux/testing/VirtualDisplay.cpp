#include "platform/linux/testing/VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace platform::testdisplay {
namespace {

constexpr int kStartTimeoutMs = 15000;

// Xvfb writes the display number it chose, then a line end, to the descriptor it was given.
int ReadDisplayNumber(int fd) {
    std::string text;
    char c = 0;
    pollfd waitFor{fd, POLLIN, 0};
    while (poll(&waitFor, 1, kStartTimeoutMs) > 0 && read(fd, &c, 1) == 1) {
        if (c == '\n') {
            return text.empty() ? -1 : std::atoi(text.c_str());
        }
        text += c;
    }
    return -1;
}

}  // namespace

bool VirtualDisplay::Start(int width, int height) {
    int channel[2];
    if (pipe(channel) != 0) {
        return false;
    }
    fcntl(channel[0], F_SETFD, FD_CLOEXEC);
    std::vector<std::string> args{
        "Xvfb",      "-displayfd", std::to_string(channel[1]),
        "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
        "-nolisten", "tcp",        "-terminate"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return false;
    }
    pid_ = pid;
    number_ = ReadDisplayNumber(channel[0]);
    close(channel[0]);
    if (number_ < 0) {
        Stop();
        return false;
    }
    setenv("DISPLAY", (":" + std::to_string(number_)).c_str(), 1);
    keeper_ = XOpenDisplay(nullptr);
    return true;
}

void VirtualDisplay::Stop() {
    if (keeper_ != nullptr) {
        XCloseDisplay(static_cast<Display*>(keeper_));
        keeper_ = nullptr;
    }
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

}  // namespace platform::testdisplay
