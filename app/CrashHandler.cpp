#include "app/CrashHandler.h"

#include <cstdlib>
#include <exception>

#include "common/TextConvert.h"
#include "platform/CrashHandler.h"

namespace {

constexpr const char* kReporterArgumentPrefix = "sorvel.ini,";
constexpr const char* kDumpNamePrefix = "Client";

// An exception that nothing caught ends in an abort, which the crash filter takes like any
// other crash, on the thread that threw. Straight to it: the library's own handler first
// describes the exception, allocating on a heap that may be what went wrong.
[[noreturn]] void AbortIntoTheCrashFilter() {
    std::abort();
}

}  // namespace

bool InstallCrashHandler(const AppContext& context) {
    platform::CrashReportSetup setup;
    // An empty path (a program folder too long for its files) starts no reporter; start-up
    // then ends with its own message anyway.
    setup.reporterPath = Utf16ToAnsi(context.reporterPath);
    setup.reporterArgumentPrefix = kReporterArgumentPrefix;
    setup.dumpNamePrefix = kDumpNamePrefix;
    std::set_terminate(AbortIntoTheCrashFilter);
    return platform::InstallCrashFilter(setup);
}
