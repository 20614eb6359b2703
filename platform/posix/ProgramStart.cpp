#include "platform/ProgramStart.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "common/TextConvert.h"
#include "platform/Process.h"

extern char** environ;

namespace platform {
namespace {

// Spawns program with args, in folder when one is given, and reaps it on a thread of its own.
bool Spawn(const std::string& program, const std::vector<std::string>& args,
           const std::string* folder) {
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    const bool prepared =
        folder == nullptr || posix_spawn_file_actions_addchdir_np(&actions, folder->c_str()) == 0;
    pid_t pid = 0;
    const bool started = prepared && posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                                 argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!started) {
        return false;
    }
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

}  // namespace

bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return false;
    }
    const std::string executable = Utf16ToAnsi(ExecutablePath());
    const size_t slash = executable.rfind('/');
    if (slash == std::string::npos) {
        return false;
    }
    return Spawn(executable.substr(0, slash + 1) + name, args, nullptr);
}

bool StartProgram(const std::string& absolutePath, const std::vector<std::string>& args) {
    const size_t slash = absolutePath.rfind('/');
    if (!absolutePath.starts_with('/') || slash + 1 == absolutePath.size()) {
        return false;
    }
    const std::string folder = slash == 0 ? "/" : absolutePath.substr(0, slash);
    return Spawn(absolutePath, args, &folder);
}

}  // namespace platform
