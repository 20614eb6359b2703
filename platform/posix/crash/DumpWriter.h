#pragma once

#include <signal.h>
#include <ucontext.h>

#include <cstdint>

namespace platform::crash {

// The crash as the filter received it.
struct CrashEvent {
    int signal = 0;
    const siginfo_t* info = nullptr;
    const ucontext_t* context = nullptr;
    uint32_t threadId = 0;  // the thread that crashed, the one the filter runs on
    uint32_t time = 0;      // seconds since 1970, UTC
    uint32_t processorCount = 0;
};

// Writes the dump of this process, for that crash, into a file of that name in the current
// folder. True when the whole dump was written. Runs inside the filter: fixed buffers only.
bool WriteCrashDump(const char* fileName, const CrashEvent& event);

}  // namespace platform::crash
