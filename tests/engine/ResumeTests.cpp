#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ChildProcess.h"
#include "tests/engine/EngineHarness.h"
#include "tests/engine/FaultyFileServer.h"

namespace {

constexpr size_t kMiB = 1024 * 1024;
constexpr size_t kFileSize = 8 * kMiB;
// What may be fetched twice: data in flight in socket buffers when transfers end.
constexpr int64_t kSlack = static_cast<int64_t>(kFileSize / 8);

class ResumeTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        content_ = RandomContent(kFileSize, 42);
        server_.AddFile("big.zip", content_);
        // Slow enough to act in the middle of the transfer.
        server_.SetFaults({.bytesPerSecond = static_cast<int64_t>(kMiB / 2)});
    }

    static bool PastAThird(const EngineTaskReport& report) {
        return report.totalBytes > 0 && report.downloadedBytes > report.totalBytes / 3;
    }

    void ExpectCompleteWithoutRefetching(DL_TaskHandle task) {
        const EngineTaskReport report = WaitFor(task, Settled);
        ASSERT_EQ(report.state, DL_STATE_COMPLETE) << "error " << report.errorCode;
        EXPECT_EQ(Sha256(Saved("big.zip")), Sha256(content_));
        EXPECT_LE(server_.BytesSent(), static_cast<int64_t>(kFileSize) + kSlack);
    }

    std::string content_;
    FaultyFileServer server_;
};

TEST_F(ResumeTest, PauseAndContinueFetchesFinishedBytesOnce) {
    const DL_TaskHandle task = StartTask(server_.Url("big.zip"), "big.zip");
    ASSERT_TRUE(PastAThird(WaitFor(task, PastAThird)));
    ASSERT_EQ(DL_ForceStopTask(task), 1);
    const EngineTaskReport paused = WaitFor(task, [](const EngineTaskReport& r) {
        return r.state == DL_STATE_PAUSED && r.connections == 0;
    });
    EXPECT_EQ(paused.state, DL_STATE_PAUSED);
    EXPECT_TRUE(std::filesystem::exists(folder_ / "big.zip.part.state"));
    server_.SetFaults({});
    ASSERT_EQ(DL_StartTask(task), 1);
    ExpectCompleteWithoutRefetching(task);
}

TEST_F(ResumeTest, StopDeleteAndANewTaskResumeFromTheStateFile) {
    const DL_TaskHandle task = StartTask(server_.Url("big.zip"), "big.zip");
    ASSERT_TRUE(PastAThird(WaitFor(task, PastAThird)));
    DL_ForceStopTask(task);
    DL_StopTask(task);
    DL_DeleteTask(task);
    EXPECT_EQ(DL_QueryTaskInfoEx(task, nullptr), 0);
    server_.SetFaults({});
    const DL_TaskHandle retry = StartTask(server_.Url("big.zip"), "big.zip");
    EXPECT_NE(retry, task);
    ExpectCompleteWithoutRefetching(retry);
}

// The engine runs in a child process that kills itself halfway; a new process then
// creates a task for the same file.
TEST_F(ResumeTest, KilledProcessIsResumedByANewTaskForTheSameFile) {
    const std::string folder = folder_.path().string();
    auto killed = platform::StartChildProcess(
        ENGINE_RUNNER, {ENGINE_RUNNER, server_.Url("big.zip"), folder, "big.zip", "0.5"});
    ASSERT_TRUE(killed);
    std::string line;
    while (killed->ReadLine(line, 120000)) {
    }
    EXPECT_EQ(killed->Terminate(), 128 + 9);
    ASSERT_FALSE(std::filesystem::exists(folder_ / "big.zip"));
    const int64_t firstRun = server_.BytesSent();
    EXPECT_LT(firstRun, static_cast<int64_t>(kFileSize));

    server_.SetFaults({});
    auto resumed = platform::StartChildProcess(
        ENGINE_RUNNER, {ENGINE_RUNNER, server_.Url("big.zip"), folder, "big.zip", "0"});
    ASSERT_TRUE(resumed);
    std::string last;
    while (resumed->ReadLine(line, 120000)) {
        last = line;
    }
    EXPECT_EQ(resumed->Terminate(), 0);
    EXPECT_EQ(last, "complete");
    EXPECT_EQ(Sha256(Saved("big.zip")), Sha256(content_));
    const int64_t secondRun = server_.BytesSent() - firstRun;
    EXPECT_LE(secondRun, static_cast<int64_t>(kFileSize) - firstRun + kSlack);
}

}  // namespace
