#include "platform/Clock.h"

#include <windows.h>

namespace platform {

uint32_t TickCount() {
    return static_cast<uint32_t>(GetTickCount64());
}

int64_t UnixTime() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t since1601 =
        (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr uint64_t kUnitsPerSecond = 10000000u;
    constexpr uint64_t kSecondsFrom1601To1970 = 11644473600u;
    return static_cast<int64_t>(since1601 / kUnitsPerSecond) -
           static_cast<int64_t>(kSecondsFrom1601To1970);
}

void SleepMs(uint32_t milliseconds) {
    Sleep(milliseconds);
}

LocalTime LocalNow() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return LocalTime{local.wYear, local.wMonth,  local.wDay,
                     local.wHour, local.wMinute, local.wSecond};
}

}  // namespace platform
