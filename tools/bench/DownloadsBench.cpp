// Prints what the download side costs on the UI thread: one poll tick with 500 downloading
// rows, 200 files of one selection started until every row shows, and the record of downloads
// saved and loaded with 2,000 rows. The rows download for real, from a kavrin-server started
// here that serves made-up files slowly. Not a test: numbers depend on the machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/TextConvert.h"
#include "context/AppContext.h"
#include "download/DownloadedGamesRecord.h"
#include "platform/ChildProcess.h"
#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "ui/main/MainWnd.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 500;
constexpr int kOneSelection = 200;
constexpr int kTicks = 200;
constexpr int kRecordRows = 2000;
constexpr int kRecordRuns = 20;

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

fs::path MakeData(const fs::path& work) {
    const fs::path data = work / "data";
    fs::create_directories(data / "files");
    std::string catalog = R"({"status":"SUCCESS","gameInfos":[{"packages":[)";
    for (int i = 0; i < kFiles; ++i) {
        catalog += (i ? "," : "") + std::string(R"({"url":"{BASE}files/f)") + std::to_string(i) +
                   R"(.zip","size":64})";
    }
    std::FILE* file = std::fopen((data / "catalog.json").c_str(), "w");
    std::fputs((catalog + "]}]}").c_str(), file);
    std::fclose(file);
    return data;
}

DownloadSelection Selection(const std::string& base, int first, int count) {
    DownloadSelection list;
    for (int i = first; i < first + count; ++i) {
        auto record = std::make_unique<DownloadRecord>();
        record->name = AnsiToUtf16("f" + std::to_string(i));
        record->extension = u".zip";
        record->url = AnsiToUtf16(base + "files/f" + std::to_string(i) + ".zip");
        record->size = 64;
        record->type = 1 + i % 4;
        list.push_back(std::move(record));
    }
    return list;
}

void BenchRecord(const fs::path& work) {
    std::vector<DownloadRecord> rows(kRecordRows);
    std::vector<const DownloadRecord*> pointers;
    for (int i = 0; i < kRecordRows; ++i) {
        rows[i].name = u"反恐精英CS1.6 经典版 " + AnsiToUtf16(std::to_string(i));
        rows[i].url = u"https://api.example/files/cs16-classic-game-" +
                      AnsiToUtf16(std::to_string(i)) + u".zip";
        rows[i].img = u"img/logo/cs.png";
        rows[i].loadTime = u"2026-12-09 15:39:05";
        rows[i].extension = u".zip";
        rows[i].status = i % 2 ? Completed : Failed;
        pointers.push_back(&rows[i]);
    }
    const std::u16string path = AnsiToUtf16((work / "gameList.dat").string());
    std::vector<double> saves;
    std::vector<double> loads;
    for (int run = 0; run < kRecordRuns; ++run) {
        Clock::time_point start = Clock::now();
        DownEngine::SaveDownloadedGames(path, pointers);
        saves.push_back(Ms(start));
        start = Clock::now();
        const size_t loaded = DownEngine::LoadDownloadedGames(path).size();
        loads.push_back(Ms(start));
        if (loaded != kRecordRows) {
            std::fprintf(stderr, "the record read back %zu rows\n", loaded);
        }
    }
    std::printf("record of %d rows: save %.2f ms, load %.2f ms (median of %d; %ju bytes)\n",
                kRecordRows, Median(saves), Median(loads), kRecordRuns,
                static_cast<uintmax_t>(fs::file_size(work / "gameList.dat")));
}

}  // namespace

int main() {
    const fs::path work =
        fs::temp_directory_path() /
        ("kavrin-downloads-bench-" + std::to_string(Clock::now().time_since_epoch().count()));
    fs::create_directories(work / "downloads");
    BenchRecord(work);

    auto server = platform::StartChildProcess(
        KAVRIN_SERVER_BINARY,
        {KAVRIN_SERVER_BINARY, "--port", "0", "--data", MakeData(work).string(), "--rate", "16k"});
    std::string line;
    const std::string marker = "kavrin-server listening on ";
    if (!server || !server->ReadLine(line, 15000) || line.rfind(marker, 0) != 0) {
        std::fprintf(stderr, "kavrin-server did not start\n");
        return 1;
    }
    const std::string base = line.substr(marker.size());

    uikit::InitTextEngine();
    uikit::InstallLinkedSkin();
    platform::UseHeadless();
    AppContext& context = ProcessContext();
    context.recordPath = AnsiToUtf16((work / "bench-record.dat").string());
    context.configuredDownloadFolder = AnsiToUtf16((work / "downloads").string());
    auto* window = new CMainWnd(context, {});
    if (!window->CreateMain(platform::kStylePopup | platform::kStyleVisible)) {
        std::fprintf(stderr, "the main window did not build\n");
        return 1;
    }
    window->SelectPage(CMainWnd::kDownloadsPage);
    platform::ProcessPendingMessages();

    Clock::time_point start = Clock::now();
    window->StartDownloads(std::make_unique<DownloadSelection>(Selection(base, 0, kOneSelection)));
    window->Manager().PaintWindow();
    std::printf("%d files of one selection started until every row shows: %.1f ms\n", kOneSelection,
                Ms(start));

    window->StartDownloads(std::make_unique<DownloadSelection>(
        Selection(base, kOneSelection, kFiles - kOneSelection)));
    std::vector<double> ticks;
    for (int i = 0; i < kTicks; ++i) {
        start = Clock::now();
        window->PollDownloads(CMainWnd::kPollTimerId);
        ticks.push_back(Ms(start));
        platform::ProcessPendingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(CMainWnd::kPollPeriodMs));
    }
    int downloading = 0;
    for (const auto& download : window->Downloads().Downloads()) {
        downloading += download->record->status == Downloading;
    }
    std::printf(
        "one poll tick with %d downloading rows: median %.3f ms, worst %.3f ms (%d ticks)\n",
        downloading, Median(ticks), *std::max_element(ticks.begin(), ticks.end()), kTicks);

    window->Downloads().PrepareForExit();
    server->Terminate();
    std::error_code error;
    fs::remove_all(work, error);
    return 0;
}
