#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TextConvert.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/ProgramStart.h"
#include "platform/SharedLibrary.h"
#include "platform/win32/testing/SystemFacts.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"

namespace {

using platform::testwin32::SystemFolder;

std::string CommandProcessor() {
    return SystemFolder() + "\\cmd.exe";
}

TEST(Win32ProcessTest, TheExecutableIsNamedInFull) {
    const std::u16string path = platform::ExecutablePath();
    ASSERT_GE(path.size(), 3u);
    EXPECT_EQ(path[1], u':');
    EXPECT_TRUE(path.ends_with(u".exe"));
    EXPECT_EQ(platform::kPathSeparator, u'\\');
    EXPECT_GE(platform::OsMajorVersion(), 5);
    EXPECT_EQ(platform::CurrentThreadId(), platform::testwin32::SystemThreadId());
}

TEST(Win32ClockTest, TicksAndTimesAgreeWithTheSystem) {
    const uint32_t before = static_cast<uint32_t>(platform::testwin32::SystemTickCount());
    const uint32_t ticks = platform::TickCount();
    EXPECT_LE(ticks - before, 1000u);
    const platform::LocalTime now = platform::LocalNow();
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GT(platform::UnixTime(), 1600000000);
}

TEST(Win32SharedLibraryTest, LoadsOnlyByAbsolutePath) {
    EXPECT_EQ(platform::SharedLibraryFileName(u"dlengine"), u"dlengine.dll");
    std::string error;
    EXPECT_EQ(platform::LoadSharedLibrary(u"kernel32.dll", error), nullptr);
    EXPECT_EQ(error, "not an absolute path");
    EXPECT_EQ(platform::LoadSharedLibrary(u".\\kernel32.dll", error), nullptr);
    const auto library =
        platform::LoadSharedLibrary(AnsiToUtf16(SystemFolder() + "/kernel32.dll"), error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_NE(library->Symbol("GetTickCount"), nullptr);
    EXPECT_EQ(library->Symbol("NoSuchExportAtAll"), nullptr);
    EXPECT_EQ(platform::LoadSharedLibrary(AnsiToUtf16(SystemFolder() + "\\missing-lib.dll"), error),
              nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(Win32ChildProcessTest, ReadsTheOutputAndTheExitCode) {
    auto child =
        platform::StartChildProcess(CommandProcessor(), {"cmd.exe", "/c", "echo first&exit 7"});
    ASSERT_NE(child, nullptr);
    std::string line;
    ASSERT_TRUE(child->ReadLine(line, 20000));
    EXPECT_EQ(line, "first");
    EXPECT_FALSE(child->ReadLine(line, 20000));
    // It ended by itself, so it keeps its own status.
    EXPECT_EQ(child->Terminate(), 7);
    EXPECT_EQ(platform::StartChildProcess("C:\\no\\such\\program.exe", {"program"}), nullptr);
}

TEST(Win32ChildProcessTest, AChildThatRunsOnIsKilled) {
    TempDir dir;
    std::ofstream(dir / "loop.cmd") << "@echo started\r\n:again\r\ngoto again\r\n";
    auto child = platform::StartChildProcess(CommandProcessor(),
                                             {"cmd.exe", "/c", (dir / "loop.cmd").string()});
    ASSERT_NE(child, nullptr);
    std::string line;
    ASSERT_TRUE(child->ReadLine(line, 20000));
    EXPECT_EQ(line, "started");
    EXPECT_EQ(child->Kill(), 128 + 9);
}

TEST(Win32ProgramStartTest, RefusesWhatCouldLeaveTheProgramsFolder) {
    EXPECT_FALSE(platform::StartProgramBesideExecutable("", {}));
    EXPECT_FALSE(platform::StartProgramBesideExecutable("..\\cmd", {}));
    EXPECT_FALSE(platform::StartProgramBesideExecutable("C:cmd", {}));
    EXPECT_FALSE(platform::StartProgramBesideExecutable("sub/cmd", {}));
    EXPECT_FALSE(platform::StartProgram("cmd.exe", {}));
    EXPECT_FALSE(platform::StartProgram("C:\\", {}));
}

TEST(Win32ProgramStartTest, StartsAProgramInItsOwnFolder) {
    TempDir dir;
    const std::filesystem::path marker = dir / "ran.txt";
    // cmd writes into its current folder, which must be the program's own.
    std::filesystem::copy_file(CommandProcessor(), dir / "cmd.exe");
    ASSERT_TRUE(platform::StartProgram((dir / "cmd.exe").string(), {"/c", "echo ran> ran.txt"}));
    EXPECT_TRUE(PollUntil([&] { return std::filesystem::exists(marker); }));
}

}  // namespace
