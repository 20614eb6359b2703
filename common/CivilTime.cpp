#include "common/CivilTime.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 0000-03-01 to 1970-01-01: counting years from March puts the leap day last.
constexpr int64_t kEpochDayFromMarchZero = 719468;
constexpr int64_t kDaysPerEra = 146097;  // 400 Gregorian years

int64_t FloorDivide(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

void SetDate(CivilTime& time, int64_t days) {
    const int64_t shifted = days + kEpochDayFromMarchZero;
    const int64_t era = FloorDivide(shifted, kDaysPerEra);
    const int64_t dayOfEra = shifted - era * kDaysPerEra;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    time.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    time.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
}

}  // namespace

CivilTime CivilTimeFromSeconds(int64_t seconds) {
    const int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const int64_t ofDay = seconds - days * kSecondsPerDay;
    CivilTime time;
    SetDate(time, days);
    time.hour = static_cast<int>(ofDay / 3600);
    time.minute = static_cast<int>(ofDay / 60 % 60);
    time.second = static_cast<int>(ofDay % 60);
    return time;
}
