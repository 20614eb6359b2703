#pragma once

#include <cstdint>
#include <string>

// What the system itself says, for tests to hold the platform's answers against it.
namespace platform::testwin32 {

// The system folder (where cmd.exe and kernel32.dll are), UTF-8, without a trailing separator.
std::string SystemFolder();
// The calling thread's id as the system numbers it.
int SystemThreadId();
// Milliseconds since the system started, as the system counts them.
uint64_t SystemTickCount();

}  // namespace platform::testwin32
