#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ChildProcess.h"
#include "tests/app/CrashTestSupport.h"
#include "tests/support/Poll.h"

namespace {

namespace fs = std::filesystem;
using crashtest::CrashFolders;

constexpr int kSegv = 11;
constexpr int kAbrt = 6;

// Enters the current folder (and removes it with its decoy, for "removed"), lets a crash leave a
// core file where the system would write one, and starts the crasher in the test's zone.
constexpr const char* kLauncher =
    "cd \"$1\" || exit 90\n"
    "if [ \"$4\" = removed ]; then rm ErrorReporter && rmdir \"$1\" || exit 91; fi\n"
    "ulimit -S -c \"$(ulimit -H -c)\"\n"
    "ulimit -s 8192\n"
    "exec env TZ=\"$5\" KAVRIN_CRASH_MARK=seen \"$2\" \"$3\"\n";

struct CrashRun {
    int status = -1;
    int mainThread = 0;
    int crashingThread = 0;
    std::time_t before = 0;
    std::time_t after = 0;
};

class CrashHandler : public ::testing::Test {
  protected:
    void SetUp() override {
        crasher_ = folders_.program() / "kavrin-crasher";
        fs::copy_file(KAVRIN_CRASHER, crasher_);
    }

    CrashRun Crash(const std::string& mode, const std::string& folder = "kept") {
        CrashRun run;
        run.before = std::time(nullptr);
        auto child = platform::StartChildProcess(
            "/bin/sh", {"sh", "-c", kLauncher, "sh", folders_.work().string(), crasher_.string(),
                        mode, folder, crashtest::kZone});
        EXPECT_NE(child, nullptr);
        if (child == nullptr) {
            return run;
        }
        std::vector<std::string> lines;
        run.status = crashtest::WaitForEnd(*child, lines);
        run.after = std::time(nullptr);
        for (const std::string& line : lines) {
            if (line.rfind("main ", 0) == 0) {
                run.mainThread = std::stoi(line.substr(5));
            } else if (line.rfind("crashing ", 0) == 0) {
                run.crashingThread = std::stoi(line.substr(9));
            }
        }
        return run;
    }

    // The one line the reporter recorded, once it has.
    std::string ReporterLine() {
        EXPECT_TRUE(PollUntil([&] { return !folders_.RecordLines().empty(); }));
        const std::vector<std::string> lines = folders_.RecordLines();
        EXPECT_EQ(lines.size(), 1u) << "the reporter started more than once, or the decoy did";
        return lines.empty() ? std::string() : lines.front();
    }

    CrashFolders folders_;
    fs::path crasher_;
};

struct CrashCase {
    const char* mode;
    int signal;
    bool onWorker;
};

void PrintTo(const CrashCase& crash, std::ostream* out) {
    *out << crash.mode;
}

class EachCrash : public CrashHandler, public ::testing::WithParamInterface<CrashCase> {};

// The dump of the crash, read by the reader's library and by the tool.
dumpreader::Dump ReadTheDump(const fs::path& path) {
    dumpreader::Dump dump;
    std::string error;
    EXPECT_TRUE(crashtest::ParseDumpFile(path, dump, error)) << error;
    auto tool =
        platform::StartChildProcess(KAVRIN_DUMP_READER, {"kavrin-dump-reader", path.string()});
    std::vector<std::string> lines;
    EXPECT_EQ(crashtest::WaitForEnd(*tool, lines), 0);
    return dump;
}

TEST_P(EachCrash, LeavesItsDumpAndStartsTheReporterFromTheProgramFolder) {
    const CrashCase crash = GetParam();
    const CrashRun run = Crash(crash.mode);
    EXPECT_EQ(run.status, 128 + crash.signal);
    EXPECT_TRUE(folders_.WorkFiles("core").empty()) << "the system wrote its own report too";

    const std::vector<fs::path> dumps = folders_.WorkFiles("Client_");
    ASSERT_EQ(dumps.size(), 1u);
    const std::string name = dumps.front().filename().string();
    EXPECT_TRUE(crashtest::DumpNamesBetween(run.before, run.after).count(name)) << name;

    const dumpreader::Dump dump = ReadTheDump(dumps.front());
    ASSERT_TRUE(dump.exception);
    EXPECT_EQ(dump.exception->code, static_cast<uint32_t>(crash.signal));
    EXPECT_EQ(dump.exception->threadId, static_cast<uint32_t>(run.crashingThread));
    EXPECT_EQ(run.crashingThread != run.mainThread, crash.onWorker);
    ASSERT_TRUE(dump.exception->registers);
    EXPECT_NE(crashtest::ModuleHolding(dump, dump.exception->registers->instructionPointer),
              nullptr);
    bool stackWritten = false;
    for (const dumpreader::ThreadDetails& thread : dump.threads) {
        if (thread.id == dump.exception->threadId) {
            stackWritten = thread.stackSize > 0 && thread.registers.has_value();
        }
    }
    EXPECT_TRUE(stackWritten);
    EXPECT_GE(dump.threads.size(), crash.onWorker ? 2u : 1u);
    ASSERT_EQ(dump.memory.size(), 1u);

    const auto* self = crashtest::ModuleAt(dump, fs::canonical(crasher_));
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->buildId, crashtest::BuildIdOfFile(crasher_));
    EXPECT_FALSE(self->buildId.empty());

    EXPECT_EQ(ReporterLine(),
              "1|sorvel.ini," + name + "|" + fs::canonical(folders_.work()).string() + "|seen");
}

INSTANTIATE_TEST_SUITE_P(CrashHandler, EachCrash,
                         ::testing::Values(CrashCase{"null-on-worker", kSegv, true},
                                           CrashCase{"uncaught-on-worker", kAbrt, true},
                                           CrashCase{"abort", kAbrt, false},
                                           CrashCase{"stack-overflow", kSegv, false}),
                         [](const auto& info) {
                             std::string name = info.param.mode;
                             std::erase(name, '-');
                             return name;
                         });

// A folder that takes no file, for root too: it no longer exists. The report still starts and
// the signal has its own effect.
TEST_F(CrashHandler, WithoutRoomForTheDumpTheReporterStillStartsAndTheSignalEndsTheProcess) {
    const CrashRun run = Crash("null-on-worker", "removed");
    EXPECT_EQ(run.status, 128 + kSegv);
    const std::string line = ReporterLine();
    const std::string prefix = "1|sorvel.ini,";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    const std::string name =
        line.substr(prefix.size(), line.find('|', prefix.size()) - prefix.size());
    EXPECT_TRUE(crashtest::DumpNamesBetween(run.before, run.after).count(name)) << name;
    EXPECT_FALSE(fs::exists(folders_.program() / name));
}

TEST_F(CrashHandler, TwoThreadsFaultingAtOnceGiveOneDumpAndOneReport) {
    const CrashRun run = Crash("two-workers");
    EXPECT_EQ(run.status, 128 + kSegv);
    const std::vector<fs::path> dumps = folders_.WorkFiles("Client_");
    ASSERT_EQ(dumps.size(), 1u);
    const dumpreader::Dump dump = ReadTheDump(dumps.front());
    ASSERT_TRUE(dump.exception);
    EXPECT_NE(dump.exception->threadId, static_cast<uint32_t>(run.mainThread));
    EXPECT_EQ(ReporterLine().rfind("1|sorvel.ini," + dumps.front().filename().string() + "|", 0),
              0u);
}

}  // namespace
