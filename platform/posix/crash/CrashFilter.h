#pragma once

#include <signal.h>

namespace platform::crash {

// The handler of the fatal signals: dump, reporter, end of the process. Runs on the thread that
// crashed, on its crash stack.
[[noreturn]] void CrashFilter(int signal, siginfo_t* info, void* context);

}  // namespace platform::crash
