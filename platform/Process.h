#pragma once

#include <string>
#include <string_view>

namespace platform {

// Full path of the running executable in UTF-16, or empty if the system does not tell it.
std::u16string ExecutablePath();

// Whether the process runs with the rights of the administrators' group (root here).
bool IsAdministratorMember();

// The major version of the system as the rights check reads it. Linux desktops have no
// elevation prompt, so the platform answers as systems before elevation existed did (5): the
// rights check then lets every process go on.
int OsMajorVersion();

// Starts the running executable again with raised rights. There is no elevation prompt on this
// system, so this always fails.
bool RelaunchElevated();

// Ends the process at once with the code, without running destructors or exit handlers, so
// that no worker still running can touch state being torn down.
[[noreturn]] void ExitProcess(int code);

// The system's id of the calling thread, as crash dumps and the system's tools name threads.
int CurrentThreadId();

// The path separator of this system, and what its program files' names end with.
#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
constexpr std::u16string_view kProgramSuffix = u".exe";
#else
constexpr char16_t kPathSeparator = u'/';
constexpr std::u16string_view kProgramSuffix = u"";
#endif

}  // namespace platform

namespace platform {

// What this process has used so far: processor time (user and system) and its peak resident
// memory. For benchmarks.
struct ProcessUsage {
    double cpuSeconds = 0;
    long peakResidentKiB = 0;
};
ProcessUsage CurrentProcessUsage();

}  // namespace platform
