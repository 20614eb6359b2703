// Bytes a download costs on a hostile server: kavrin-hostile-bench [--seeds N] [--mib M]
// [--aria2c PATH]. For each seed it serves one file from a server that fails, drops and ignores
// ranges at random (the tests' hostile server), downloads it with the engine and then with the
// comparison downloader, and prints the bytes the server sent per byte of file; then the median,
// mean and largest of each.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/TextConvert.h"
#include "engine/DlEngine.h"
#include "tests/engine/FaultyFileServer.h"
#include "tests/engine/HostileFaults.h"

namespace {

struct Options {
    int seeds = 20;
    int mib = 16;
    std::string aria2c = "aria2c";
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--seeds") {
            options.seeds = std::atoi(argv[i + 1]);
        } else if (key == "--mib") {
            options.mib = std::atoi(argv[i + 1]);
        } else if (key == "--aria2c") {
            options.aria2c = argv[i + 1];
        } else {
            return false;
        }
    }
    return (argc % 2) == 1 && options.seeds > 0 && options.mib > 0;
}

std::string Content(size_t size) {
    std::mt19937 random(20261209);
    std::string content(size, '\0');
    for (char& byte : content) {
        byte = static_cast<char>(random());
    }
    return content;
}

void Copy(char16_t* field, const std::string& text) {
    const std::u16string wide = AnsiToUtf16(text);
    std::memcpy(field, wide.data(), wide.size() * sizeof(char16_t));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The engine as the client drives it: one task, polled until it settles.
bool EngineDownload(const std::string& url, const std::filesystem::path& folder) {
    EngineTaskRequest request{};
    Copy(request.url, url);
    Copy(request.fileName, "file.bin");
    Copy(request.saveFolder, folder.string());
    const DL_TaskHandle task = DL_CreateTask(&request);
    if (DL_StartTask(task) != 1) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    EngineTaskReport report{};
    while (std::chrono::steady_clock::now() < deadline) {
        DL_QueryTaskInfoEx(task, &report);
        if (report.state == DL_STATE_COMPLETE || report.state == DL_STATE_ERROR) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    DL_DeleteTask(task);
    return report.state == DL_STATE_COMPLETE;
}

// The comparison downloader with the segmenting it is known for, retrying without a pause.
bool OtherDownload(const Options& options, const std::string& url,
                   const std::filesystem::path& folder) {
    const std::string command = options.aria2c +
                                " -q -x16 -s16 -k1M --max-tries=0 --retry-wait=0 "
                                "--allow-overwrite=true --auto-file-renaming=false -d '" +
                                folder.string() + "' -o file.bin '" + url + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

struct Figures {
    std::vector<double> ratios;
    int failures = 0;
};

void PrintSummary(const char* name, Figures figures) {
    if (figures.ratios.empty()) {
        std::printf("%-8s no download completed\n", name);
        return;
    }
    std::sort(figures.ratios.begin(), figures.ratios.end());
    const size_t n = figures.ratios.size();
    const double median = n % 2 == 1 ? figures.ratios[n / 2]
                                     : (figures.ratios[n / 2 - 1] + figures.ratios[n / 2]) / 2;
    const double mean =
        std::accumulate(figures.ratios.begin(), figures.ratios.end(), 0.0) / static_cast<double>(n);
    std::printf("%-8s median %.3f  mean %.3f  max %.3f  (%zu runs, %d failed or differed)\n", name,
                median, mean, figures.ratios.back(), n, figures.failures);
}

// Downloads the file once with one of the two and records what the server sent for it.
template <typename Download>
void Measure(FaultyFileServer& server, const std::string& content, uint32_t seed,
             const std::filesystem::path& folder, Figures& figures, Download download) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    server.SetFaults(HostileFaults(seed));
    const int64_t before = server.BytesSent();
    const bool ok = download(server.Url("file.bin")) && ReadFile(folder / "file.bin") == content;
    const double ratio =
        static_cast<double>(server.BytesSent() - before) / static_cast<double>(content.size());
    if (!ok) {
        ++figures.failures;
        return;
    }
    figures.ratios.push_back(ratio);
    std::printf(" %.3f", ratio);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--seeds N] [--mib M] [--aria2c PATH]\n", argv[0]);
        return 2;
    }
    const std::string content = Content(static_cast<size_t>(options.mib) * 1024 * 1024);
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() /
        ("kavrin-hostile-bench-" + std::to_string(std::random_device()()));
    FaultyFileServer server;
    server.AddFile("file.bin", content);
    if (DL_Init() != 1) {
        return 3;
    }
    Figures engine;
    Figures other;
    for (int seed = 1; seed <= options.seeds; ++seed) {
        std::printf("seed %2d: engine", seed);
        Measure(server, content, static_cast<uint32_t>(seed), work / "engine", engine,
                [&](const std::string& url) { return EngineDownload(url, work / "engine"); });
        std::printf("  aria2c");
        Measure(
            server, content, static_cast<uint32_t>(seed), work / "other", other,
            [&](const std::string& url) { return OtherDownload(options, url, work / "other"); });
        std::printf("\n");
    }
    DL_UnInit();
    std::filesystem::remove_all(work);
    std::printf("bytes sent per byte of a %d MiB file over %d seeds:\n", options.mib,
                options.seeds);
    PrintSummary("engine", engine);
    PrintSummary("aria2c", other);
    return engine.failures == 0 ? 0 : 1;
}
