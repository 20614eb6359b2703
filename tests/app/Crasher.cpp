// kavrin-crasher MODE: installs the crash handler as the client does at its start, tells the
// ids of its main thread and of the thread about to crash, then crashes as MODE asks.
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "app/CrashHandler.h"
#include "download/DownWrapper.h"
#include "platform/CrashHandler.h"
#include "platform/Process.h"
#include "tests/support/StartTogether.h"

namespace {

// Read through volatile, so that the compiler cannot tell the crashes are coming and turn them
// into something else.
int* volatile gNowhere = nullptr;
volatile int gDepthLimit = 1 << 30;

void Announce(const char* what) {
    std::cout << what << ' ' << platform::CurrentThreadId() << std::endl;
}

// The undefined behaviour check would end the process before the store: the fault has to reach
// the processor for the crash handler to see it.
__attribute__((no_sanitize("undefined"))) void WriteToNowhere() {
    *gNowhere = 1;
}

int Recurse(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (depth == gDepthLimit) {
        return frame[0];
    }
    return Recurse(depth + 1) + frame[0];
}

// A worker as start-up starts them: with its crash stack.
void OnWorker(void (*crash)()) {
    std::thread([crash] {
        platform::GiveThreadCrashStack();
        Announce("crashing");
        crash();
    }).join();
}

// Two workers fault at once: one dump, one report.
void TwoWorkersAtOnce() {
    StartTogether ready(2);
    auto worker = [&ready] {
        platform::GiveThreadCrashStack();
        ready.ArriveAndWait();
        WriteToNowhere();
    };
    std::thread first(worker);
    std::thread second(worker);
    first.join();
    second.join();
}

}  // namespace

int main(int argc, char** argv) {
    if (!InstallCrashHandler(ProcessContext())) {
        return 3;
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    Announce("main");
    if (mode == "null-on-worker") {
        OnWorker(WriteToNowhere);
    } else if (mode == "uncaught-on-worker") {
        OnWorker([] { throw DownEngine::EngineLoadError("libdlengine.so"); });
    } else if (mode == "abort") {
        Announce("crashing");
        std::abort();
    } else if (mode == "stack-overflow") {
        Announce("crashing");
        return Recurse(0);
    } else if (mode == "two-workers") {
        TwoWorkersAtOnce();
    }
    return 2;
}
