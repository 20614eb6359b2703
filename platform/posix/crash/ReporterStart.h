#pragma once

namespace platform::crash {

// Starts the crash-report program at path with its one argument, this process's environment
// and current folder, and does not wait for it. Only calls a signal handler may make.
bool StartReporter(const char* path, const char* argument);

}  // namespace platform::crash
