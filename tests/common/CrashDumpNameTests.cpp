#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "common/CivilTime.h"
#include "common/CrashDumpName.h"

namespace {

std::string DumpName(const CivilTime& time, size_t capacity = 64) {
    char name[64] = "untouched";
    return FormatCrashDumpName("Client", time, name, capacity) ? name
                                                               : "refused:" + std::string(name);
}

CivilTime At(int month, int day, int hour, int minute, int second) {
    return CivilTime{2024, month, day, hour, minute, second};
}

TEST(CrashDumpName, NumbersWithoutLeadingZerosAndNoYear) {
    EXPECT_EQ(DumpName(At(8, 4, 13, 5, 9)), "Client_8-4_13-5-9.dmp");
    EXPECT_EQ(DumpName(At(12, 31, 0, 0, 0)), "Client_12-31_0-0-0.dmp");
    EXPECT_EQ(DumpName(At(10, 10, 23, 59, 59)), "Client_10-10_23-59-59.dmp");
}

TEST(CrashDumpName, ANameTooLongForItsBufferIsRefusedWhole) {
    const std::string full = "Client_12-31_23-59-59.dmp";
    EXPECT_EQ(DumpName(At(12, 31, 23, 59, 59), full.size() + 1), full);
    // One byte short: no cut-off name that would point the reporter at another file.
    EXPECT_EQ(DumpName(At(12, 31, 23, 59, 59), full.size()), "refused:");
}

void ExpectSameTime(const CivilTime& civil, const std::tm& system, std::time_t instant) {
    EXPECT_EQ(civil.year, system.tm_year + 1900) << instant;
    EXPECT_EQ(civil.month, system.tm_mon + 1) << instant;
    EXPECT_EQ(civil.day, system.tm_mday) << instant;
    EXPECT_EQ(civil.hour, system.tm_hour) << instant;
    EXPECT_EQ(civil.minute, system.tm_min) << instant;
    EXPECT_EQ(civil.second, system.tm_sec) << instant;
}

// The system's own broken-down UTC time; the C runtimes name the call differently.
bool SystemUtc(std::time_t instant, std::tm& parts) {
#ifdef _WIN32
    return gmtime_s(&parts, &instant) == 0;
#else
    return gmtime_r(&instant, &parts) != nullptr;
#endif
}

// The filter converts the clock by arithmetic; the system's conversion must agree across leap
// days, century years, year ends and both sides of 1970 (Windows' runtime converts no instant
// before 1970).
TEST(CrashDumpName, UtcArithmeticAgreesWithTheSystem) {
    // time_t throughout: a long has 32 bits on Windows.
    const std::time_t instants[] = {951782400, 951868799, 4107542399, 1735689599, -1};
    for (const std::time_t instant : instants) {
#ifdef _WIN32
        if (instant < 0) {
            continue;
        }
#endif
        std::tm utc{};
        ASSERT_TRUE(SystemUtc(instant, utc));
        ExpectSameTime(CivilTimeFromSeconds(instant), utc, instant);
    }
}

// The filter adds the zone's offset to the clock. Zones written out, so no time-zone data is
// needed: ahead by 5:30, and behind with summer time.
TEST(CrashDumpName, LocalTimeArithmeticAgreesWithTheSystem) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows' C runtime reads no zone rules from TZ and tells no zone offset "
                    "with the local time; the filter asks the system for the local time there";
#else
    for (const char* zone : {"UTC0", "IST-5:30", "EST5EDT,M3.2.0,M11.1.0"}) {
        setenv("TZ", zone, 1);
        tzset();
        for (std::time_t instant = -86400L * 800; instant < 4102444800L;
             instant += 86400L * 7 + 3671) {
            std::tm local{};
            ASSERT_NE(localtime_r(&instant, &local), nullptr);
            ExpectSameTime(CivilTimeFromSeconds(instant + local.tm_gmtoff), local, instant);
        }
    }
#endif
}

}  // namespace
