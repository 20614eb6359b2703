#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "common/TextConvert.h"
#include "platform/ChildProcess.h"
#include "platform/win32/testing/WindowPosts.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"

// The installer as a player runs it, silently into a folder of the test's own: what it puts in
// place, the installed Kavrin starting against a kavrin-server, and the uninstaller taking it
// all away again.
namespace {

namespace fs = std::filesystem;

constexpr const char* kPrograms[] = {"kavrin.exe", "dlengine.dll", "AutoUpdater.exe",
                                     "ErrorReporter.exe"};

std::string Utf8(const fs::path& path) {
    return Utf16ToAnsi(path.u16string());
}

// The port of the address the program was built to call.
std::string BuiltPort() {
    const std::string url = KAVRIN_BASE_URL;
    const size_t colon = url.rfind(':');
    return url.substr(colon + 1, url.find('/', colon) - colon - 1);
}

// Runs program to its end; its exit status.
int RunToEnd(const std::string& program, const std::vector<std::string>& args) {
    auto child = platform::StartChildProcess(program, args);
    if (!child) {
        ADD_FAILURE() << "cannot start " << program;
        return -1;
    }
    std::string line;
    while (child->ReadLine(line, 120000)) {
    }
    return child->Terminate();
}

fs::path StartMenuEntry() {
    const char* common = std::getenv("ProgramData");
    return fs::path(common == nullptr ? "C:\\ProgramData" : common) / "Microsoft" / "Windows" /
           "Start Menu" / "Programs" / "Kavrin" / "Kavrin.lnk";
}

bool MainWindowShows() {
    return platform::testwin32::PostToEveryWindowOf("_SoftMainWnd_", "Kavrin", 0, 0, 0) > 0;
}

class InstallerTest : public ::testing::Test {
  protected:
    // Whatever a test left installed goes, start-menu entry and all.
    void TearDown() override {
        if (fs::exists(Installed("uninstall.exe"))) {
            Uninstall();
            PollUntil([&] { return !fs::exists(Installed("kavrin.exe")); });
        }
    }

    fs::path Installed(const std::string& name) const { return folder / name; }

    void Install() {
        // The folder goes last and unquoted, as the installer reads it: a folder with a space
        // would come quoted, as every argument with one does.
        ASSERT_EQ(RunToEnd(KAVRIN_INSTALLER, {KAVRIN_INSTALLER, "/S", "/D=" + Utf8(folder)}), 0);
    }

    // It copies itself away and runs from there, so that it can remove itself too: it has not
    // finished when this returns.
    int Uninstall() {
        const std::string uninstaller = Utf8(Installed("uninstall.exe"));
        return RunToEnd(uninstaller, {uninstaller, "/S"});
    }

    TempDir root;
    // A player's folder may have a name in any script.
    const fs::path folder = root.path() / u"Kavrin游戏";
};

TEST_F(InstallerTest, InstallsTheProgramsAndAStartMenuEntryAndStartsKavrin) {
    Install();
    for (const char* program : kPrograms) {
        EXPECT_TRUE(fs::is_regular_file(Installed(program))) << program;
    }
    EXPECT_TRUE(fs::is_regular_file(Installed("kavrin.ini")));
    EXPECT_TRUE(fs::is_regular_file(Installed("uninstall.exe")));
    EXPECT_TRUE(fs::is_regular_file(StartMenuEntry()));
    // Without their debug information the programs are a fraction of the build's.
    EXPECT_LT(fs::file_size(Installed("kavrin.exe")), 32u * 1024 * 1024);

    // The installed program talks to the address it was built with.
    TestServer server({"--port", BuiltPort()});
    ASSERT_FALSE(server.baseUrl().empty());
    const std::string kavrinExe = Utf8(Installed("kavrin.exe"));
    auto kavrin = platform::StartChildProcess(kavrinExe, {kavrinExe});
    ASSERT_NE(kavrin, nullptr);
    EXPECT_TRUE(PollUntil(MainWindowShows, std::chrono::seconds(60)))
        << "the installed Kavrin showed no main window";
    kavrin->Kill();
}

TEST_F(InstallerTest, AnInstallOverAnOlderOneKeepsThePlayersSettings) {
    Install();
    const std::string mine = "[soft]\nid=140\nversion=101\n[config]\nuuid=mine\n";
    WriteWholeFile(Installed("kavrin.ini"), mine);
    Install();
    EXPECT_EQ(ReadWholeFile(Installed("kavrin.ini")), mine);
}

TEST_F(InstallerTest, TheUninstallerRemovesWhatWasInstalledAndWhatKavrinWroteBesideIt) {
    Install();
    WriteWholeFile(Installed("gameList.dat"), "record");
    WriteWholeFile(Installed("Client_8-4_13-5-9.dmp"), "dump");
    ASSERT_EQ(Uninstall(), 0);
    EXPECT_TRUE(PollUntil([&] { return !fs::exists(folder); }, std::chrono::seconds(60)))
        << "the program folder is still there";
    EXPECT_FALSE(fs::exists(StartMenuEntry()));
}

TEST_F(InstallerTest, TheUninstallerLeavesAFileItDoesNotKnowAndItsFolder) {
    Install();
    WriteWholeFile(Installed("notes.txt"), "the player's");
    ASSERT_EQ(Uninstall(), 0);
    EXPECT_TRUE(
        PollUntil([&] { return !fs::exists(Installed("kavrin.exe")); }, std::chrono::seconds(60)));
    EXPECT_EQ(ReadWholeFile(Installed("notes.txt")), "the player's");
}

}  // namespace
