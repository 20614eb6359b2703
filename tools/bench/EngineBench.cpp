// One download through the engine's C interface, measured: kavrin-engine-bench URL FOLDER NAME
// [--ca PEM] [--connections N] [--kill-at FRACTION]. Prints one line of key=value figures; with
// --kill-at it prints what it had fetched and kills itself with SIGKILL at that fraction.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "common/TextConvert.h"
#include "engine/DlEngine.h"
#include "platform/Process.h"

namespace {

struct Options {
    std::string url;
    std::string folder;
    std::string name;
    std::string ca;
    int connections = 16;
    double killAt = 0;
};

bool Parse(int argc, char** argv, Options& options) {
    if (argc < 4) {
        return false;
    }
    options.url = argv[1];
    options.folder = argv[2];
    options.name = argv[3];
    for (int i = 4; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--ca") {
            options.ca = argv[i + 1];
        } else if (key == "--connections") {
            options.connections = std::atoi(argv[i + 1]);
        } else if (key == "--kill-at") {
            options.killAt = std::atof(argv[i + 1]);
        } else {
            return false;
        }
    }
    return true;
}

void Copy(char16_t* field, const std::string& text) {
    const std::u16string wide = AnsiToUtf16(text);
    std::memcpy(field, wide.data(), wide.size() * sizeof(char16_t));
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s URL FOLDER NAME [--ca PEM] [--connections N] "
                     "[--kill-at FRACTION]\n",
                     argv[0]);
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    if (DL_Init() != 1) {
        return 3;
    }
    if (!options.ca.empty()) {
        DL_SetCaFile(AnsiToUtf16(options.ca).c_str());
    }
    DL_SetMaxConnections(options.connections);
    auto* request = new EngineTaskRequest{};
    Copy(request->url, options.url);
    Copy(request->fileName, options.name);
    Copy(request->saveFolder, options.folder);
    const DL_TaskHandle task = DL_CreateTask(request);
    delete request;
    if (DL_StartTask(task) != 1) {
        return 4;
    }
    EngineTaskReport report{};
    for (;;) {
        DL_QueryTaskInfoEx(task, &report);
        if (report.state == DL_STATE_COMPLETE || report.state == DL_STATE_ERROR) {
            break;
        }
        if (options.killAt > 0 && report.progress >= options.killAt) {
            std::printf("killed fetched=%lld\n", static_cast<long long>(report.fetchedBytes));
            std::fflush(stdout);
            std::raise(SIGKILL);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    DL_UnInit();
    const platform::ProcessUsage usage = platform::CurrentProcessUsage();
    std::printf("state=%d error=%d wall=%.3f cpu=%.3f maxrss_kib=%ld fetched=%lld size=%lld\n",
                report.state, report.errorCode, wall, usage.cpuSeconds, usage.peakResidentKiB,
                static_cast<long long>(report.fetchedBytes),
                static_cast<long long>(report.totalBytes));
    return report.state == DL_STATE_COMPLETE ? 0 : 1;
}
