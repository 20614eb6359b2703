#pragma once

#include <cstdint>

// A date and time of day on the Gregorian calendar, extended back before its adoption.
struct CivilTime {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The calendar time of a count of seconds since 1970-01-01 00:00:00, with a zone's offset
// already added for local time. Plain arithmetic without tables or locks, so that the crash
// filter can call it from a signal handler, where the system's local-time calls may not run.
CivilTime CivilTimeFromSeconds(int64_t seconds);
