#include "platform/posix/crash/CrashFilter.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

#include "common/CivilTime.h"
#include "common/CrashDumpName.h"
#include "platform/CrashHandler.h"
#include "platform/posix/crash/CrashText.h"
#include "platform/posix/crash/DumpWriter.h"
#include "platform/posix/crash/ReporterStart.h"

namespace platform {
namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr size_t kPathCapacity = 4096;
constexpr size_t kTextCapacity = 64;
constexpr size_t kNameCapacity = 128;

// Everything the filter reads, prepared at installation: it may not allocate or ask the system
// for the local time zone.
struct CrashSettings {
    char reporterPath[kPathCapacity];
    char argumentPrefix[kTextCapacity];
    char dumpNamePrefix[kTextCapacity];
    long utcOffset;
    uint32_t processorCount;
};
CrashSettings gSettings;
char gDumpName[kNameCapacity];
char gReporterArgument[kTextCapacity + kNameCapacity];

// The thread that handles the crash; 0 until one does.
std::atomic<int> gHandlingThread{0};
static_assert(std::atomic<int>::is_always_lock_free);

long LocalOffsetNow() {
    const time_t now = time(nullptr);
    tm local = {};
    return localtime_r(&now, &local) != nullptr ? local.tm_gmtoff : 0;
}

void FormDumpName(const timespec& now) {
    const CivilTime local = CivilTimeFromSeconds(now.tv_sec + gSettings.utcOffset);
    FormatCrashDumpName(gSettings.dumpNamePrefix, local, gDumpName, sizeof gDumpName);
}

void StartTheReporter() {
    if (gSettings.reporterPath[0] == '\0' ||
        !crash::CopyText(gSettings.argumentPrefix, gReporterArgument, sizeof gReporterArgument) ||
        !crash::AppendText(gDumpName, gReporterArgument, sizeof gReporterArgument)) {
        return;
    }
    crash::StartReporter(gSettings.reporterPath, gReporterArgument);
}

// The dump says all there is to say: no core file beside it. The process still dies by its
// signal (see EndBySignal), so whoever started it learns that it crashed and how.
void SuppressCoreFile() {
    const rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

// The signal's own default effect: the action is set back and the signal raised again; it
// arrives once the filter's blocking of it is lifted.
[[noreturn]] void EndBySignal(int signal) {
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    _exit(128 + signal);
}

// Another thread is writing the dump and will end the process: this one waits for that.
[[noreturn]] void WaitForTheFirstCrash() {
    for (;;) {
        pause();
    }
}

bool InstallOnFatalSignals() {
    struct sigaction action = {};
    action.sa_sigaction = crash::CrashFilter;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    // Nothing interrupts the filter: a termination request arriving midway would leave half a
    // dump and no report.
    sigfillset(&action.sa_mask);
    bool installed = true;
    for (const int signal : kFatalSignals) {
        installed = sigaction(signal, &action, nullptr) == 0 && installed;
    }
    return installed;
}

}  // namespace

namespace crash {

void CrashFilter(int signal, siginfo_t* info, void* context) {
    const int self = static_cast<int>(gettid());
    int handling = 0;
    if (!gHandlingThread.compare_exchange_strong(handling, self)) {
        // A fault of the filter itself must not write a second dump over the first.
        if (handling == self) {
            EndBySignal(signal);
        }
        WaitForTheFirstCrash();
    }
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    FormDumpName(now);
    CrashEvent event;
    event.signal = signal;
    event.info = info;
    event.context = static_cast<const ucontext_t*>(context);
    event.threadId = static_cast<uint32_t>(self);
    event.time = static_cast<uint32_t>(now.tv_sec);
    event.processorCount = gSettings.processorCount;
    const bool written = gDumpName[0] != '\0' && WriteCrashDump(gDumpName, event);
    StartTheReporter();
    if (written) {
        SuppressCoreFile();
    }
    EndBySignal(signal);
}

}  // namespace crash

bool InstallCrashFilter(const CrashReportSetup& setup) {
    if (!crash::CopyText(setup.reporterPath.c_str(), gSettings.reporterPath, kPathCapacity) ||
        !crash::CopyText(setup.reporterArgumentPrefix.c_str(), gSettings.argumentPrefix,
                         kTextCapacity) ||
        !crash::CopyText(setup.dumpNamePrefix.c_str(), gSettings.dumpNamePrefix, kTextCapacity)) {
        return false;
    }
    gSettings.utcOffset = LocalOffsetNow();
    const long processors = sysconf(_SC_NPROCESSORS_ONLN);
    gSettings.processorCount = processors > 0 ? static_cast<uint32_t>(processors) : 0;
    GiveThreadCrashStack();
    return InstallOnFatalSignals();
}

}  // namespace platform
