#pragma once

#include <string>

// The crash filter: when a thread of the process faults (a bad address, a bad instruction, an
// arithmetic fault) or aborts, it writes a dump of the process into the current folder, starts
// the crash-report program and ends the process.
namespace platform {

struct CrashReportSetup {
    std::string reporterPath;            // full path of the crash-report program; empty = none
    std::string reporterArgumentPrefix;  // its one argument: this, followed by the dump's name
    std::string dumpNamePrefix;          // the dump's name: PREFIX_M-D_h-m-s.dmp
};

// Installs the crash filter for the whole process and gives the calling thread its crash stack.
// Everything the filter needs is prepared here, into fixed buffers, as it may not allocate:
// false when a text does not fit or the system refuses the filter.
bool InstallCrashFilter(const CrashReportSetup& setup);

// Gives the calling thread a stack of its own for the crash filter, so that a thread whose
// stack overflowed still gets its dump written. Freed when the thread ends.
void GiveThreadCrashStack();

}  // namespace platform
