#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/SingleInstance.h"
#include "tests/app/CrashTestSupport.h"
#include "tests/support/Poll.h"

namespace {

namespace fs = std::filesystem;

// The real program, copied with its engine into a program folder beside a fake ErrorReporter,
// run in a current folder of its own, told its pid first.
constexpr const char* kLauncher =
    "cd \"$1\" || exit 90\n"
    "ulimit -S -c \"$(ulimit -H -c)\"\n"
    "echo $$\n"
    "exec env TZ=\"$3\" KAVRIN_CRASH_MARK=seen KAVRIN_WINDOW_SYSTEM=headless \"$2\"\n";

TEST(RealProgramCrash, ASegmentationFaultLeavesADumpAndStartsTheReporterBesideTheProgram) {
    crashtest::CrashFolders folders;
    const fs::path program = folders.program() / "kavrin";
    fs::copy_file(KAVRIN_PROGRAM, program);
    fs::copy_file(KAVRIN_ENGINE, folders.program() / "libdlengine.so");
    const std::time_t before = std::time(nullptr);
    auto child = platform::StartChildProcess(
        "/bin/sh",
        {"sh", "-c", kLauncher, "sh", folders.work().string(), program.string(), crashtest::kZone});
    ASSERT_NE(child, nullptr);
    std::string pid;
    ASSERT_TRUE(child->ReadLine(pid, 10000));
    ASSERT_TRUE(PollUntil(
        [] { return platform::FindRunningInstance("_SoftMainWnd_", "Kavrin") != nullptr; },
        std::chrono::seconds(20), std::chrono::milliseconds(50)));

    auto kill = platform::StartChildProcess("/bin/kill", {"kill", "-SEGV", pid});
    ASSERT_NE(kill, nullptr);
    std::vector<std::string> lines;
    EXPECT_EQ(crashtest::WaitForEnd(*kill, lines), 0);
    EXPECT_EQ(crashtest::WaitForEnd(*child, lines), 128 + 11);
    const std::time_t after = std::time(nullptr);

    EXPECT_TRUE(folders.WorkFiles("core").empty());
    const std::vector<fs::path> dumps = folders.WorkFiles("Client_");
    ASSERT_EQ(dumps.size(), 1u);
    const std::string name = dumps.front().filename().string();
    EXPECT_TRUE(crashtest::DumpNamesBetween(before, after).count(name)) << name;
    dumpreader::Dump dump;
    std::string error;
    ASSERT_TRUE(crashtest::ParseDumpFile(dumps.front(), dump, error)) << error;
    ASSERT_TRUE(dump.exception);
    EXPECT_EQ(dump.exception->code, 11u);
    const auto* self = crashtest::ModuleAt(dump, fs::canonical(program));
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->buildId, crashtest::BuildIdOfFile(program));
    EXPECT_NE(crashtest::ModuleAt(dump, fs::canonical(folders.program() / "libdlengine.so")),
              nullptr);

    ASSERT_TRUE(PollUntil([&] { return !folders.RecordLines().empty(); }));
    EXPECT_EQ(folders.RecordLines(),
              std::vector<std::string>{"1|sorvel.ini," + name + "|" +
                                       fs::canonical(folders.work()).string() + "|seen"});
}

}  // namespace
