
#include <windows.h>

#include <string>

#include "platform/engine/Files.h"

// The engine trusts data it wrote but never flushed only within the boot that wrote it, so the
// id must never come out the same for two boots; coming out different within one boot merely
// costs a check of the data. The system keeps its boot time as a fixed value, which two reads
// within one boot give alike; only a change of the system clock moves it, and then the id
// differs, which is the safe way round.
namespace dlengine::os {
namespace {

constexpr ULONG kTimeOfDayInformation = 3;
// Without the kernel's value, the wall clock minus the time since boot wobbles by a tick
// between reads: cut to whole ten seconds it agrees, and two boots are never that close.
constexpr uint64_t kFallbackStep = 10ull * 10000000ull;

struct TimeOfDay {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
    ULONGLONG bootTimeBias;
    ULONGLONG sleepTimeBias;
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

bool KernelBootTime(uint64_t& bootTime) {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll != nullptr
                           ? reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
                                 GetProcAddress(ntdll, "NtQuerySystemInformation")))
                           : nullptr;
    TimeOfDay time{};
    if (query == nullptr || query(kTimeOfDayInformation, &time, sizeof time, nullptr) != 0 ||
        time.bootTime.QuadPart <= 0) {
        return false;
    }
    bootTime = static_cast<uint64_t>(time.bootTime.QuadPart);
    return true;
}

uint64_t ClockBootTime() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t wall = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const uint64_t sinceBoot = GetTickCount64() * 10000ull;
    return (wall - sinceBoot + kFallbackStep / 2) / kFallbackStep * kFallbackStep;
}

}  // namespace

std::string BootId() {
    uint64_t bootTime = 0;
    if (KernelBootTime(bootTime)) {
        return "boot-" + std::to_string(bootTime);
    }
    return "clock-" + std::to_string(ClockBootTime());
}

}  // namespace dlengine::os
