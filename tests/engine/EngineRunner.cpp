// Downloads one file through the engine's C interface in a process of its own, so a test can
// kill the engine at a chosen point: RUNNER URL FOLDER NAME KILL_FRACTION (0 = never).
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "engine/DlEngine.h"
#include "platform/Process.h"
#include "tests/engine/EngineHarness.h"

namespace {

// As a kill would end it: nothing of the engine runs any more, not even its unload. Windows has
// no kill signal; there the process is terminated with the code a kill gives on POSIX.
[[noreturn]] void Kill() {
#ifdef SIGKILL
    std::raise(SIGKILL);
#endif
    platform::ExitProcess(128 + 9);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || DL_Init() != 1) {
        return 2;
    }
    const double killAt = std::atof(argv[4]);
    auto request = MakeRequest(argv[1], argv[2], argv[3]);
    const DL_TaskHandle task = DL_CreateTask(request.get());
    if (DL_StartTask(task) != 1) {
        return 3;
    }
    for (;;) {
        EngineTaskReport report{};
        DL_QueryTaskInfoEx(task, &report);
        if (report.state == DL_STATE_COMPLETE || report.state == DL_STATE_ERROR) {
            std::printf("%s\n", report.state == DL_STATE_COMPLETE ? "complete" : "error");
            std::fflush(stdout);
            DL_UnInit();
            return report.state == DL_STATE_COMPLETE ? 0 : 1;
        }
        if (killAt > 0 && report.progress >= killAt) {
            std::printf("killing at %lld\n", static_cast<long long>(report.downloadedBytes));
            std::fflush(stdout);
            Kill();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
