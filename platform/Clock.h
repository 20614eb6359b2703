#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since the system started, in 32 bits (it wraps after about 49 days).
uint32_t TickCount();

// Seconds since 1970-01-01 UTC.
int64_t UnixTime();

void SleepMs(uint32_t milliseconds);

// The wall-clock time in the user's time zone, as a person reads it: month 1 to 12.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
LocalTime LocalNow();

}  // namespace platform
