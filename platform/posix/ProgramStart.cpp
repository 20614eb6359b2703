#include "platform/ProgramStart.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "common/TextConvert.h"
#include "platform/Process.h"

extern char** environ;

namespace platform {

bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return false;
    }
    const std::string executable = Utf16ToAnsi(ExecutablePath());
    const size_t slash = executable.rfind('/');
    if (slash == std::string::npos) {
        return false;
    }
    const std::string program = executable.substr(0, slash + 1) + name;
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    // Reaped when it ends, so it never lingers as a zombie of a long-running client.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

}  // namespace platform
