// kavrin-tour [OUT_FOLDER]
//
// Tours every page and window of the real Kavrin on a private virtual screen, with real input,
// against a throttled kavrin-server with the demo catalogue, and saves a numbered PNG of each
// into OUT_FOLDER (default: the build's tour folder). The program runs in a temporary folder of
// its own, so nothing of a person's Kavrin changes.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tools/desktop-driver/DesktopSession.h"
#include "tools/desktop-driver/KavrinPlayer.h"
#include "tools/desktop-driver/ScreenWatch.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

struct Stop {
    const char* shot;  // the screenshot's name: what it shows
    std::function<bool(desktop::KavrinPlayer&)> step;
};

std::vector<Stop> Tour() {
    using P = desktop::KavrinPlayer;
    return {
        {"library", [](P& p) { return p.SeeLibrary(); }},
        {"tile-hover", [](P& p) { return p.HoverFirstTile(); }},
        {"game-detail", [](P& p) { return p.OpenFirstGame(); }},
        {"selection-window", [](P& p) { return p.OpenSelection(); }},
        {"selection-one-file-unticked", [](P& p) { return p.UntickSelectionRow(0); }},
        {"download-notice", [](P& p) { return p.DownloadSelection(); }},
        {"my-downloads-in-progress",
         [](P& p) { return p.CloseNotice() && p.OpenMyDownloads() && p.SeeProgressMove(); }},
        {"my-downloads-paused", [](P& p) { return p.PauseFirstRow(); }},
        {"my-downloads-complete",
         [](P& p) { return p.ContinueFirstRow() && p.SeeFirstRowComplete(120s); }},
        {"orders", [](P& p) { return p.OpenOrders(); }},
        {"help", [](P& p) { return p.OpenHelp(); }},
        {"menu", [](P& p) { return p.OpenMenu(); }},
        {"settings-window", [](P& p) { return p.OpenSettings(); }},
        {"quit-confirmation", [](P& p) { return p.CloseSettings() && p.AskToQuit(); }},
    };
}

fs::path FreshFolder() {
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / ("kavrin-tour-" + std::to_string(random()));
    fs::create_directories(folder);
    return folder;
}

int RunTour(const fs::path& out, const fs::path& scratch) {
    desktop::SessionSetup setup{KAVRIN_PROGRAM,   KAVRIN_ENGINE, KAVRIN_SERVER,
                                KAVRIN_DEMO_DATA, "512k",        scratch};
    desktop::DesktopSession session(setup);
    if (!session.Start() || !session.StartProgram()) {
        std::fprintf(stderr, "kavrin-tour: %s\n", session.Error().c_str());
        return 1;
    }
    desktop::KavrinPlayer player;
    if (!player.FindMainWindow()) {
        std::fprintf(stderr, "kavrin-tour: %s\n", player.Error().c_str());
        return 1;
    }
    int number = 1;
    for (const Stop& stop : Tour()) {
        if (!stop.step(player)) {
            std::fprintf(stderr, "kavrin-tour: %s\n", player.Error().c_str());
            return 1;
        }
        // A page switch is painted a moment after the click: the shot waits until the screen
        // holds still, so that it never shows half a repaint.
        desktop::WaitForStillScreen(2s);
        char name[96];
        std::snprintf(name, sizeof name, "%02d-%s.png", number++, stop.shot);
        if (!desktop::SaveScreenPng((out / name).string())) {
            std::fprintf(stderr, "kavrin-tour: cannot write %s\n", (out / name).c_str());
            return 1;
        }
        std::printf("%s\n", (out / name).c_str());
    }
    int status = 0;
    if (!player.ConfirmQuit() || !session.WaitForProgramEnd(status, 30s)) {
        std::fprintf(stderr, "kavrin-tour: the program did not end after \"确定\"\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path out = argc > 1 ? fs::path(argv[1]) : fs::path(KAVRIN_TOUR_FOLDER);
    std::error_code ec;
    fs::remove_all(out, ec);
    fs::create_directories(out);
    const fs::path scratch = FreshFolder();
    const int result = RunTour(out, scratch);
    fs::remove_all(scratch, ec);
    if (result == 0) {
        std::printf("the tour's screenshots are in %s\n", fs::absolute(out).c_str());
    }
    return result;
}
