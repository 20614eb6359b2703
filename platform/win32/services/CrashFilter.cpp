#include <windows.h>

#include <dbghelp.h>

#include <csignal>
#include <cstring>
#include <string>

#include "common/CivilTime.h"
#include "common/CrashDumpName.h"
#include "platform/CrashHandler.h"
#include "platform/win32/services/CommandLine.h"
#include "platform/win32/services/WideText.h"

// The unhandled-exception filter. It hands the dump to a writer thread made at installation and
// waits for it: the faulting thread may have no stack left (an overflow) and may hold the
// loader's lock, and the dump call wants both; a thread made during the crash would need that
// lock too. The debug-help library is loaded at installation for the same reason.
namespace platform {
namespace {

constexpr size_t kNameCapacity = 128;
constexpr size_t kCommandCapacity = 32768;
constexpr DWORD kAbortCode = 0xE0000ABD;
constexpr ULONG kFilterStack = 64 * 1024;

using MiniDumpWriteDumpCall = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                            PMINIDUMP_EXCEPTION_INFORMATION,
                                            PMINIDUMP_USER_STREAM_INFORMATION,
                                            PMINIDUMP_CALLBACK_INFORMATION);

struct CrashSettings {
    char dumpNamePrefix[64];
    wchar_t commandPrefix[kCommandCapacity];  // the quoted reporter and its argument's start
    size_t commandPrefixLength;
    MiniDumpWriteDumpCall writeDump;
    HANDLE crashReady;  // set by the filter once gCrash is filled in
    HANDLE dumpDone;    // set by the writer once the dump is written or failed
};
CrashSettings gSettings;

struct CrashRequest {
    DWORD threadId;
    EXCEPTION_POINTERS* pointers;
    char dumpName[kNameCapacity];
    bool written;
};
CrashRequest gCrash;
volatile LONG gHandling = 0;

// The program's folder first, as a copy shipped beside it is meant to be used; then the
// system's own copy. Never the search path, which starts at the current folder.
MiniDumpWriteDumpCall LoadDumpWriter() {
    std::wstring folder;
    wchar_t path[32768];
    const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    HMODULE library = nullptr;
    if (n > 0 && n < std::size(path)) {
        folder = win32::FolderOf(std::wstring_view(path, n));
        library = folder.empty() ? nullptr : LoadLibraryW((folder + L"DBGHELP.DLL").c_str());
    }
    if (library == nullptr) {
        const UINT length = GetSystemDirectoryW(path, static_cast<UINT>(std::size(path)));
        if (length > 0 && length < std::size(path)) {
            library = LoadLibraryW((std::wstring(path, length) + L"\\DBGHELP.DLL").c_str());
        }
    }
    return library == nullptr ? nullptr
                              : reinterpret_cast<MiniDumpWriteDumpCall>(reinterpret_cast<void*>(
                                    GetProcAddress(library, "MiniDumpWriteDump")));
}

bool WriteDump() {
    wchar_t name[kNameCapacity];
    size_t i = 0;
    for (; gCrash.dumpName[i] != '\0'; ++i) {
        name[i] = static_cast<unsigned char>(gCrash.dumpName[i]);
    }
    name[i] = L'\0';
    if (gSettings.writeDump == nullptr) {
        return false;
    }
    const HANDLE file = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    MINIDUMP_EXCEPTION_INFORMATION exception{gCrash.threadId, gCrash.pointers, FALSE};
    const bool written = gSettings.writeDump(GetCurrentProcess(), GetCurrentProcessId(), file,
                                             MiniDumpNormal, &exception, nullptr, nullptr) != 0;
    CloseHandle(file);
    return written;
}

// Started whether or not the dump was written: the reporter also tells of a crash without one.
void StartTheReporter() {
    if (gSettings.commandPrefixLength == 0) {
        return;
    }
    static wchar_t command[kCommandCapacity + kNameCapacity];
    std::memcpy(command, gSettings.commandPrefix, gSettings.commandPrefixLength * sizeof(wchar_t));
    size_t at = gSettings.commandPrefixLength;
    for (size_t i = 0; gCrash.dumpName[i] != '\0'; ++i) {
        command[at++] = static_cast<unsigned char>(gCrash.dumpName[i]);
    }
    command[at] = L'\0';
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
}

DWORD WINAPI DumpWriterThread(void*) {
    WaitForSingleObject(gSettings.crashReady, INFINITE);
    gCrash.written = WriteDump();
    StartTheReporter();
    SetEvent(gSettings.dumpDone);
    return 0;
}

void FormDumpName() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const CivilTime time{local.wYear, local.wMonth,  local.wDay,
                         local.wHour, local.wMinute, local.wSecond};
    FormatCrashDumpName(gSettings.dumpNamePrefix, time, gCrash.dumpName, sizeof gCrash.dumpName);
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers) {
    // One crash is handled; a second thread faulting meanwhile waits for the process to end.
    if (InterlockedCompareExchange(&gHandling, 1, 0) != 0) {
        Sleep(INFINITE);
    }
    FormDumpName();
    gCrash.threadId = GetCurrentThreadId();
    gCrash.pointers = pointers;
    SetEvent(gSettings.crashReady);
    WaitForSingleObject(gSettings.dumpDone, INFINITE);
    return gCrash.written ? EXCEPTION_EXECUTE_HANDLER : EXCEPTION_CONTINUE_SEARCH;
}

// The runtime's abort ends the process without an exception the filter could see; turning it
// into one gives an abort its dump as on the other systems.
void OnAbort(int) {
    RaiseException(kAbortCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

bool CopyNarrow(const std::string& text, char* into, size_t capacity) {
    if (text.size() >= capacity) {
        return false;
    }
    std::memcpy(into, text.c_str(), text.size() + 1);
    return true;
}

bool PrepareCommand(const CrashReportSetup& setup) {
    gSettings.commandPrefixLength = 0;
    if (setup.reporterPath.empty()) {
        return true;
    }
    const std::wstring prefix = win32::QuoteArgument(win32::Wide(setup.reporterPath)) + L" " +
                                win32::Wide(setup.reporterArgumentPrefix);
    // The argument prefix and the dump's name form one argument: neither may hold a blank.
    if (prefix.size() >= kCommandCapacity ||
        setup.reporterArgumentPrefix.find_first_of(" \t\"") != std::string::npos) {
        return false;
    }
    std::memcpy(gSettings.commandPrefix, prefix.c_str(), (prefix.size() + 1) * sizeof(wchar_t));
    gSettings.commandPrefixLength = prefix.size();
    return true;
}

}  // namespace

bool InstallCrashFilter(const CrashReportSetup& setup) {
    if (!CopyNarrow(setup.dumpNamePrefix, gSettings.dumpNamePrefix,
                    sizeof gSettings.dumpNamePrefix) ||
        !PrepareCommand(setup)) {
        return false;
    }
    gSettings.writeDump = LoadDumpWriter();
    gSettings.crashReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gSettings.dumpDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (gSettings.crashReady == nullptr || gSettings.dumpDone == nullptr) {
        return false;
    }
    const HANDLE writer = CreateThread(nullptr, 0, DumpWriterThread, nullptr, 0, nullptr);
    if (writer == nullptr) {
        return false;
    }
    CloseHandle(writer);
    SetUnhandledExceptionFilter(CrashFilter);
    std::signal(SIGABRT, OnAbort);
    GiveThreadCrashStack();
    return true;
}

void GiveThreadCrashStack() {
    // Room kept back for the filter itself when the thread's stack overflows; the dump is
    // written on the writer thread's own stack.
    ULONG size = kFilterStack;
    SetThreadStackGuarantee(&size);
}

}  // namespace platform
