#include "platform/Process.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "platform/win32/services/WideText.h"

namespace platform {
namespace {

double Seconds(const FILETIME& time) {
    const uint64_t units = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(units) / 1e7;
}

}  // namespace

std::u16string ExecutablePath() {
    // A path longer than MAX_PATH is possible with long-path support: grow until it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            return win32::Utf16(std::wstring_view(buffer.data(), n));
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool IsAdministratorMember() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        return false;
    }
    BOOL member = FALSE;
    const bool asked = CheckTokenMembership(nullptr, administrators, &member) != 0;
    FreeSid(administrators);
    return asked && member != FALSE;
}

int OsMajorVersion() {
    // The ordinary version call answers 6.2 to a program whose manifest names no later system;
    // the kernel's own call tells the truth.
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto call = ntdll != nullptr
                          ? reinterpret_cast<RtlGetVersionCall>(
                                reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (call == nullptr || call(&info) != 0) {
        return 6;
    }
    return static_cast<int>(info.dwMajorVersion);
}

bool RelaunchElevated() {
    const std::wstring executable = win32::Wide(ExecutablePath());
    if (executable.empty()) {
        return false;
    }
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS;
    request.lpVerb = L"runas";
    request.lpFile = executable.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&request)) {
        return false;
    }
    if (request.hProcess != nullptr) {
        CloseHandle(request.hProcess);
    }
    return true;
}

int CurrentThreadId() {
    return static_cast<int>(GetCurrentThreadId());
}

void ExitProcess(int code) {
    std::fflush(nullptr);
    // Unlike the system's ExitProcess, this runs no library's detach code while other threads
    // may still hold its locks.
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
    ::ExitProcess(static_cast<UINT>(code));
}

ProcessUsage CurrentProcessUsage() {
    ProcessUsage result;
    FILETIME created{}, ended{}, kernel{}, user{};
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) {
        result.cpuSeconds = Seconds(kernel) + Seconds(user);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
        result.peakResidentKiB = static_cast<long>(memory.PeakWorkingSetSize / 1024);
    }
    return result;
}

}  // namespace platform
