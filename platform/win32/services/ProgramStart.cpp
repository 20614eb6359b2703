#include "platform/ProgramStart.h"

#include <windows.h>

#include "platform/Process.h"
#include "platform/win32/services/CommandLine.h"
#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

bool EndsWithExe(std::wstring_view name) {
    return name.size() >= 4 &&
           CompareStringOrdinal(name.data() + name.size() - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL;
}

// Starts program with args in folder (null: ours), and lets go of it at once: the system
// reaps it.
bool Spawn(const std::wstring& program, const std::vector<std::string>& args,
           const wchar_t* folder) {
    std::wstring commandLine = win32::JoinCommandLine(program, args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

}  // namespace

bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args) {
    std::wstring file = win32::Wide(name);
    if (file.empty() || file == L"." || file == L".." ||
        file.find_first_of(L"\\/:") != std::wstring::npos) {
        return false;
    }
    // The callers name programs as they are called on every system ("kavrin"); here the file
    // carries the extension, and the system does not add it when the path is given in full.
    if (!EndsWithExe(file)) {
        file += L".exe";
    }
    const std::wstring folder = win32::FolderOf(win32::Wide(ExecutablePath()));
    if (folder.empty()) {
        return false;
    }
    return Spawn(folder + file, args, nullptr);
}

bool StartProgram(const std::string& absolutePath, const std::vector<std::string>& args) {
    const std::wstring program = win32::Wide(absolutePath);
    const std::wstring folder = win32::FolderOf(program);
    if (!win32::IsAbsolutePath(program) || folder.size() == program.size()) {
        return false;
    }
    return Spawn(program, args, folder.c_str());
}

}  // namespace platform
