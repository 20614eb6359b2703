#pragma once

#include <chrono>
#include <thread>

// Waits for something another thread or process brings about: a file, a message, a server, a
// window. It returns as soon as `done` holds; the deadline is only there so that a fault fails
// the test instead of hanging the suite, and is never what a passing run waits for.
template <typename Done>
bool PollUntil(Done done, std::chrono::milliseconds deadline = std::chrono::seconds(20),
               std::chrono::milliseconds interval = std::chrono::milliseconds(10)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(interval);
    }
}
