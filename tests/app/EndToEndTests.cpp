#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/TextConvert.h"
#include "download/DownloadedGamesRecord.h"
#include "server/DemoFileBytes.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tools/desktop-driver/DesktopSession.h"
#include "tools/desktop-driver/KavrinPlayer.h"
#include "tools/desktop-driver/ScreenWatch.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// The demo catalogue's first game offers its game files and a 48 MiB map pack; the map pack
// alone is downloaded.
constexpr const char* kKeptFile = "cs16-classic-maps.zip";
constexpr size_t kKeptBytes = 48u * 1024u * 1024u;

std::string SettingsText(const fs::path& programFolder) {
    return ReadWholeFile(programFolder / "kavrin.ini");
}

// The engine opens up to 16 connections to a file, each held to the server's rate: at 256 KiB/s
// the map pack takes some ten seconds, long enough to watch, pause and continue it.
// The real program with real input on a 1280x800 virtual screen, from the library to a
// finished download, a changed folder, a confirmed quit and a second start.
class EndToEnd : public ::testing::Test {
  protected:
    EndToEnd()
        : session_({KAVRIN_PROGRAM, KAVRIN_ENGINE, KAVRIN_SERVER_BINARY, KAVRIN_DEMO_DATA, "256k",
                    scratch_.path()}) {}

    void SetUp() override {
        fs::create_directories(shots_);
        ASSERT_TRUE(session_.Start()) << session_.Error();
        ASSERT_TRUE(session_.StartProgram()) << session_.Error();
        ASSERT_TRUE(player_.FindMainWindow()) << player_.Error();
    }
    void TearDown() override {
        // The screenshots stay for a person to look at after the test's folder is gone.
        std::error_code ec;
        fs::remove_all(KAVRIN_SHOTS_COPY, ec);
        fs::create_directories(KAVRIN_SHOTS_COPY, ec);
        for (const auto& shot : fs::directory_iterator(shots_, ec)) {
            fs::copy_file(shot.path(), fs::path(KAVRIN_SHOTS_COPY) / shot.path().filename(), ec);
        }
    }

    // A step's result, kept as a screenshot once the screen showed it.
    void Shot(const std::string& name) {
        ASSERT_TRUE(desktop::SaveScreenPng((shots_ / (name + ".png")).string()));
    }

    TempDir scratch_;
    fs::path shots_ = scratch_ / "shots";
    desktop::DesktopSession session_;
    desktop::KavrinPlayer player_;
};

TEST_F(EndToEnd, DownloadPauseContinueFolderChangeQuitAndRestartKeepTheRow) {
    ASSERT_TRUE(player_.SeeLibrary()) << player_.Error();
    Shot("01-library");
    ASSERT_TRUE(player_.HoverFirstTile()) << player_.Error();
    ASSERT_TRUE(player_.OpenFirstGame()) << player_.Error();
    Shot("02-detail");
    ASSERT_TRUE(player_.OpenSelection()) << player_.Error();
    ASSERT_TRUE(player_.UntickSelectionRow(0)) << player_.Error();
    Shot("03-selection");
    ASSERT_TRUE(player_.DownloadSelection()) << player_.Error();
    Shot("04-notice");
    ASSERT_TRUE(player_.CloseNotice()) << player_.Error();

    ASSERT_TRUE(player_.OpenMyDownloads()) << player_.Error();
    ASSERT_TRUE(player_.SeeProgressMove()) << player_.Error();
    Shot("05-downloading");
    ASSERT_TRUE(player_.PauseFirstRow()) << player_.Error();
    Shot("06-paused");
    ASSERT_TRUE(player_.ContinueFirstRow()) << player_.Error();
    ASSERT_TRUE(player_.SeeFirstRowComplete(40s)) << player_.Error();
    Shot("07-complete");

    const fs::path first = session_.DownloadFolder() / kKeptFile;
    ASSERT_TRUE(fs::exists(first));
    EXPECT_TRUE(ReadWholeFile(first) == DemoFileBytes(kKeptFile, 0, kKeptBytes))
        << "the downloaded file is not the server's";
    EXPECT_FALSE(fs::exists(session_.DownloadFolder() / "cs16-classic-game.zip"))
        << "the unticked file was downloaded as well";

    const fs::path chosen = scratch_ / "chosen";
    fs::create_directories(chosen);
    ASSERT_TRUE(player_.OpenMenu()) << player_.Error();
    Shot("08-menu");
    ASSERT_TRUE(player_.OpenSettings()) << player_.Error();
    ASSERT_TRUE(player_.ChooseFolder(chosen.string())) << player_.Error();
    ASSERT_TRUE(PollUntil([&] {
        return SettingsText(session_.ProgramFolder()).find("DriveUrlW2V=" + chosen.string()) !=
               std::string::npos;
    })) << SettingsText(session_.ProgramFolder());
    Shot("09-settings-changed");
    ASSERT_TRUE(player_.CloseSettings()) << player_.Error();

    // Escape on the confirmation keeps the program running with its window.
    ASSERT_TRUE(player_.AskToQuit()) << player_.Error();
    ASSERT_TRUE(player_.CancelQuit()) << player_.Error();
    ASSERT_TRUE(player_.FindMainWindow()) << player_.Error();
    ASSERT_TRUE(player_.AskToQuit()) << player_.Error();
    Shot("10-quit");
    ASSERT_TRUE(player_.ConfirmQuit()) << player_.Error();
    int status = -1;
    ASSERT_TRUE(session_.WaitForProgramEnd(status, 20s));
    EXPECT_EQ(status, 0);
    const auto rows = DownEngine::LoadDownloadedGames(
        AnsiToUtf16((session_.ProgramFolder() / "gameList.dat").string()));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Utf16ToAnsi(rows[0]->name), "cs16-classic-maps");
    EXPECT_EQ(rows[0]->status, Completed);

    ASSERT_TRUE(session_.StartProgram()) << session_.Error();
    ASSERT_TRUE(player_.FindMainWindow()) << player_.Error();
    ASSERT_TRUE(player_.OpenMyDownloads(/*downloading=*/false)) << player_.Error();
    ASSERT_TRUE(player_.SeeFirstRowComplete(desktop::kScreenDeadline)) << player_.Error();
    Shot("11-restarted");
}

}  // namespace
