#include "platform/ChildProcess.h"

#include <windows.h>

#include <thread>

#include "platform/ChildOutputLines.h"
#include "platform/win32/services/CommandLine.h"
#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

// The statuses a POSIX parent would see after SIGTERM and SIGKILL, so callers read one value
// for "ended from outside" on both systems.
constexpr UINT kTerminatedStatus = 128 + 15;
constexpr UINT kKilledStatus = 128 + 9;

// A job that ends every process in it when its last handle closes: the child ends with us.
HANDLE MakeKillOnCloseJob() {
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job == nullptr) {
        return nullptr;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

class Win32ChildProcess final : public ChildProcess {
  public:
    Win32ChildProcess(HANDLE process, HANDLE job, HANDLE output)
        : process_(process), job_(job), output_(output) {
        reader_ = std::thread([this] { ReadAll(); });
    }

    ~Win32ChildProcess() override {
        Terminate();
        if (job_ != nullptr) {
            CloseHandle(job_);
        }
    }

    bool ReadLine(std::string& line, int timeoutMs) override {
        return lines_.ReadLine(line, timeoutMs);
    }

    // The system has no polite request to end a console program that has no console of its
    // own, so both end it at once; a child that already ended keeps its own status.
    int Terminate() override { return End(kTerminatedStatus); }
    int Kill() override { return End(kKilledStatus); }

    std::vector<std::string> History() const override { return lines_.History(); }

  private:
    int End(UINT status) {
        if (process_ != nullptr) {
            TerminateProcess(process_, status);
            WaitForSingleObject(process_, INFINITE);
            DWORD code = 0;
            exitStatus_ = GetExitCodeProcess(process_, &code) ? static_cast<int>(code) : -1;
            CloseHandle(process_);
            process_ = nullptr;
        }
        if (reader_.joinable()) {
            reader_.join();
        }
        if (output_ != nullptr) {
            CloseHandle(output_);
            output_ = nullptr;
        }
        return exitStatus_;
    }

    // Drains the pipe all the time, so that a chatty child never blocks on a full pipe.
    void ReadAll() {
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(output_, buffer, sizeof buffer, &n, nullptr) && n > 0) {
            lines_.Append(buffer, n);
        }
        lines_.End();
    }

    HANDLE process_;
    HANDLE job_;
    HANDLE output_;
    int exitStatus_ = -1;
    std::thread reader_;
    ChildOutputLines lines_;
};

}  // namespace

std::unique_ptr<ChildProcess> StartChildProcess(const std::string& program,
                                                const std::vector<std::string>& args) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
        return nullptr;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    // argv[0] is the program, as on POSIX; the command line carries it first.
    const std::vector<std::string> rest(args.empty() ? args.begin() : args.begin() + 1, args.end());
    const std::wstring application = win32::Wide(program);
    std::wstring commandLine = win32::JoinCommandLine(
        args.empty() ? std::wstring_view(application) : std::wstring_view(win32::Wide(args[0])),
        rest);
    // Only the pipe's write end is passed down, not every inheritable handle of the process.
    SIZE_T listSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    std::vector<char> listBytes(listSize);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.StartupInfo.hStdOutput = writeEnd;
    startup.StartupInfo.hStdError = writeEnd;
    DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
    if (InitializeProcThreadAttributeList(list, 1, 0, &listSize) &&
        UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, &writeEnd,
                                  sizeof writeEnd, nullptr, nullptr)) {
        startup.lpAttributeList = list;
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
    PROCESS_INFORMATION started{};
    const bool ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   flags, nullptr, nullptr, &startup.StartupInfo, &started) != 0;
    if (startup.lpAttributeList != nullptr) {
        DeleteProcThreadAttributeList(list);
    }
    CloseHandle(writeEnd);
    if (!ok) {
        CloseHandle(readEnd);
        return nullptr;
    }
    // Into the job before it runs a single instruction, so that no grandchild escapes it.
    HANDLE job = MakeKillOnCloseJob();
    if (job != nullptr) {
        AssignProcessToJobObject(job, started.hProcess);
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    return std::make_unique<Win32ChildProcess>(started.hProcess, job, readEnd);
}

}  // namespace platform
