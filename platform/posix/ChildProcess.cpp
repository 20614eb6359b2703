#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <thread>

#include "platform/ChildOutputLines.h"

namespace platform {
namespace {

class PosixChildProcess final : public ChildProcess {
  public:
    PosixChildProcess(pid_t pid, int outFd) : pid_(pid), outFd_(outFd) {
        reader_ = std::thread([this] { ReadAll(); });
    }

    ~PosixChildProcess() override { Terminate(); }

    bool ReadLine(std::string& line, int timeoutMs) override {
        return lines_.ReadLine(line, timeoutMs);
    }

    int Terminate() override { return End(SIGTERM); }
    int Kill() override { return End(SIGKILL); }

    std::vector<std::string> History() const override { return lines_.History(); }

  private:
    int End(int signal) {
        if (pid_ > 0) {
            kill(pid_, signal);
            int status = 0;
            waitpid(pid_, &status, 0);
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            pid_ = -1;
        }
        if (reader_.joinable()) {
            reader_.join();
        }
        if (outFd_ >= 0) {
            close(outFd_);
            outFd_ = -1;
        }
        return exitStatus_;
    }

    // Drains the pipe all the time, so that a chatty child never blocks on a full pipe.
    void ReadAll() {
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(outFd_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            lines_.Append(buffer, static_cast<size_t>(n));
        }
        lines_.End();
    }

    pid_t pid_;
    int outFd_;
    int exitStatus_ = -1;
    std::thread reader_;
    ChildOutputLines lines_;
};

}  // namespace

std::unique_ptr<ChildProcess> StartChildProcess(const std::string& program,
                                                const std::vector<std::string>& args) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return nullptr;
    }
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    // A pipe that reports whether exec worked: it closes on success, carries errno on failure.
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) {
        close(fds[0]);
        close(fds[1]);
        return nullptr;
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The child ends with us, and both its output streams go to our pipe, so that a child
        // left behind never holds the streams of whoever started us.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(127);
        }
        dup2(fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        execv(program.c_str(), argv.data());
        const int error = errno;
        (void)!write(status[1], &error, sizeof error);
        _exit(127);
    }
    close(fds[1]);
    close(status[1]);
    int execError = 0;
    const bool failed = pid < 0 || read(status[0], &execError, sizeof execError) > 0;
    close(status[0]);
    if (failed) {
        if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
        close(fds[0]);
        return nullptr;
    }
    return std::make_unique<PosixChildProcess>(pid, fds[0]);
}

}  // namespace platform
