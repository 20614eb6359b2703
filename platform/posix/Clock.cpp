#include "platform/Clock.h"

#include <time.h>

namespace platform {

uint32_t TickCount() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    const uint64_t ms =
        static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

int64_t UnixTime() {
    return static_cast<int64_t>(time(nullptr));
}

void SleepMs(uint32_t milliseconds) {
    timespec ts{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

LocalTime LocalNow() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace platform
