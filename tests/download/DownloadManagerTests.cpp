#include "tests/download/DownloadFixture.h"

#include "download/DownloadedGamesRecord.h"
#include "tests/support/Poll.h"

using DownEngine::DownloadManager;

namespace {

constexpr int64_t kSmall = 300 * 1024 + 17;
constexpr int64_t kLarge = 3 * 1024 * 1024 + 5;

TEST_F(DownloadManagerTest, AStartMakesOneRowPerFileWithItsLogoTimeAndTask) {
    Serve({{"a", kSmall}, {"b", kSmall}, {"c", kSmall}});
    DownloadSelection list;
    list.push_back(Pick("a", 1));
    list.push_back(Pick("b", 0));
    list.push_back(Pick("c", 5));
    Start(std::move(list));
    ASSERT_EQ(manager_.Downloads().size(), 3u);
    EXPECT_TRUE(page_.noticeHidden);
    EXPECT_EQ(timer_.sets, 1);  // armed once for the whole list
    EXPECT_TRUE(manager_.PollTimerArmed());
    EXPECT_EQ(At(0).record->img, u"img/logo/xj.png");
    EXPECT_EQ(At(1).record->img, u"img/logo/");
    EXPECT_EQ(At(2).record->img, u"img/logo/");
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(At(i).taskHandle, 0u);
        EXPECT_EQ(StatusOf(i), Downloading);
        EXPECT_EQ(Row(i).LastView(), Downloading);
        // 2026-12-09 15:39:05: every part but the year two digits wide.
        const std::u16string& time = At(i).record->loadTime;
        ASSERT_EQ(time.size(), 19u) << Utf16ToAnsi(time);
        EXPECT_EQ(time[4], u'-');
        EXPECT_EQ(time[10], u' ');
        EXPECT_EQ(time[13], u':');
    }
    ASSERT_TRUE(TickUntil([&] { return !timer_.running; }));
    for (const char* name : {"a", "b", "c"}) {
        EXPECT_EQ(Saved(std::string(name) + ".zip"), Expected(name, kSmall)) << name;
    }
    EXPECT_EQ(Row(0).LastView(), Completed);
    EXPECT_EQ(Row(0).statusText, u"下载中...100%") << "the tick that saw it done showed it whole";
}

TEST_F(DownloadManagerTest, AnEmptyListOrOneWhoseSecondRecordRunsStartsOnlyWhatComesFirst) {
    Serve({{"a", kSmall}, {"b", kSmall}});
    Start({});
    EXPECT_TRUE(manager_.Downloads().empty());
    EXPECT_FALSE(page_.noticeHidden);
    EXPECT_EQ(timer_.sets, 0);

    DownloadSelection list;
    list.push_back(Pick("a"));
    list.push_back(Pick("b"));
    list.back()->status = Downloading;
    list.push_back(Pick("a"));
    Start(std::move(list));
    ASSERT_EQ(manager_.Downloads().size(), 1u);
    EXPECT_EQ(At(0).record->name, u"a");
}

TEST_F(DownloadManagerTest, ThePollTimerRunsWhileAnyRowDownloadsAndStopsOnTheTickAfter) {
    Serve({{"quick", kSmall}, {"slow", kLarge}}, {"--rate", "1m"});
    StartFiles("quick", "slow");
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    EXPECT_EQ(StatusOf(1), Downloading);
    EXPECT_TRUE(timer_.running) << "the second download still needs the ticks";
    EXPECT_NE(Row(1).statusText.find(u"下载中..."), std::u16string::npos);
    EXPECT_NE(Row(1).tip.find(u" / 3 MB"), std::u16string::npos) << Utf16ToAnsi(Row(1).tip);
    // Once the engine has measured a speed the tip tells the time left too.
    ASSERT_TRUE(TickUntil([&] { return Row(1).tip.find(u"剩余") != std::u16string::npos; }))
        << Utf16ToAnsi(Row(1).tip);
    EXPECT_NE(Row(1).tip.find(u"/s · "), std::u16string::npos) << Utf16ToAnsi(Row(1).tip);
    ASSERT_TRUE(TickUntil([&] { return StatusOf(1) == Completed; }));
    EXPECT_TRUE(timer_.running) << "the tick that saw it complete polled it";
    EXPECT_TRUE(manager_.PollDownloads(DownloadManager::kPollTimerId));
    EXPECT_FALSE(timer_.running);
    EXPECT_FALSE(manager_.PollTimerArmed());
    EXPECT_EQ(Saved("slow.zip"), Expected("slow", kLarge));

    // After the timer stopped itself a new start arms it again.
    StartFiles("quick");
    EXPECT_TRUE(timer_.running);
    EXPECT_EQ(timer_.sets, 2);
}

TEST_F(DownloadManagerTest, OtherTimersPollTooButOnlyThePollTimerEndsThere) {
    Serve({{"a", kSmall}});
    StartFiles("a");
    EXPECT_FALSE(manager_.PollDownloads(17));
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    EXPECT_FALSE(manager_.PollDownloads(17));
    EXPECT_TRUE(timer_.running) << "a control's timer never stops the poll timer";
}

TEST_F(DownloadManagerTest, PauseAndContinueKeepTheTaskWhileRetryMakesANewOne) {
    Serve({{"a", kLarge}}, {"--rate", "1m"});
    StartFiles("a");
    const DL_TaskHandle first = At(0).taskHandle;
    manager_.PauseDownload(At(0));
    EXPECT_EQ(StatusOf(0), Paused);
    EXPECT_EQ(Row(0).LastView(), Paused);
    EXPECT_FALSE(manager_.PollTimerArmed());
    Row(0).statusText = u"暂停";
    manager_.ContinueDownload(At(0));
    EXPECT_EQ(At(0).taskHandle, first);
    EXPECT_EQ(StatusOf(0), Downloading);
    EXPECT_EQ(Row(0).LastView(), Downloading);
    EXPECT_EQ(Row(0).statusText, u"暂停") << "the text waits for the next poll";
    EXPECT_TRUE(manager_.PollTimerArmed());
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    EXPECT_EQ(Saved("a.zip"), Expected("a", kLarge));

    manager_.RetryDownload(At(0));
    EXPECT_NE(At(0).taskHandle, first);
    EXPECT_EQ(StatusOf(0), Downloading);
    EXPECT_EQ(Row(0).LastView(), Downloading);
    // Downloading again keeps the finished file in place until the new one is whole.
    EXPECT_EQ(Saved("a.zip"), Expected("a", kLarge));
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    EXPECT_EQ(Saved("a.zip"), Expected("a", kLarge));
}

TEST_F(DownloadManagerTest, StoppingOneRowLeavesTheOthersPolled) {
    Serve({{"stopped", kLarge}, {"other", kLarge}}, {"--rate", "2m"});
    StartFiles("stopped", "other");
    manager_.StopDownload(At(0));
    EXPECT_EQ(StatusOf(0), Failed);
    EXPECT_EQ(Row(0).LastView(), Failed);
    EXPECT_FALSE(Row(0).tip.empty());
    EXPECT_TRUE(timer_.running);
    ASSERT_TRUE(TickUntil([&] { return StatusOf(1) == Completed; }));
    EXPECT_EQ(Row(1).LastView(), Completed);
    EXPECT_EQ(Saved("other.zip"), Expected("other", kLarge));
}

TEST_F(DownloadManagerTest, ARetryAfterTheFolderChangedSavesIntoTheNewFolder) {
    Serve({{"a", kSmall}});
    StartFiles("a");
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    TempDir elsewhere;
    context_.downloadFolder = AnsiToUtf16(elsewhere.path().string());
    manager_.RetryDownload(At(0));
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) == Completed; }));
    EXPECT_EQ(ReadWholeFile(elsewhere / "a.zip"), Expected("a", kSmall));
    EXPECT_EQ(Utf16ToAnsi(manager_.FileOf(At(0))), (elsewhere / "a.zip").string());
}

TEST_F(DownloadManagerTest, AFailedDownloadSaysWhyInsteadOfDownloadingForEver) {
    Serve({{"a", kSmall}});
    DownloadSelection list;
    list.push_back(Pick("missing"));
    Start(std::move(list));
    ASSERT_TRUE(TickUntil([&] { return StatusOf(0) != Downloading; }));
    EXPECT_EQ(StatusOf(0), Failed);
    EXPECT_EQ(Row(0).LastView(), Failed);
    EXPECT_EQ(Row(0).tip, u"服务器拒绝提供该文件（HTTP 404）");
}

TEST_F(DownloadManagerTest, ANameThatWouldLeaveTheFolderIsRefusedAndShownAsFailed) {
    Serve({{"a", kSmall}});
    auto record = Pick("a");
    record->name = u"../escaped";
    DownloadSelection list;
    list.push_back(std::move(record));
    Start(std::move(list));
    ASSERT_EQ(manager_.Downloads().size(), 1u);
    EXPECT_EQ(StatusOf(0), Failed);
    EXPECT_EQ(Row(0).tip, u"文件名不安全，已拒绝保存到下载目录之外");
    EXPECT_FALSE(std::filesystem::exists(folder_.path().parent_path() / "escaped.zip"));
    // Nor does opening its folder point at a path outside the folder.
    EXPECT_TRUE(manager_.FileOf(At(0)).empty());
}

TEST_F(DownloadManagerTest, EveryChangeOfAStatusIsInTheRecordWithRunningRowsAsFailed) {
    Serve({{"a", kLarge}, {"b", kLarge}}, {"--rate", "1m"});
    StartFiles("a", "b");
    auto saved = DownEngine::LoadDownloadedGames(RecordPath());
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0]->status, Failed) << "a run killed now must not lose the rows";
    EXPECT_EQ(StatusOf(0), Downloading) << "memory keeps the truth";
    EXPECT_EQ(saved[0]->name, u"a");
    EXPECT_EQ(saved[0]->loadTime, At(0).record->loadTime);
    EXPECT_EQ(saved[1]->img, u"img/logo/xj.png");
    manager_.PauseDownload(At(1));
    EXPECT_EQ(DownEngine::LoadDownloadedGames(RecordPath())[1]->status, Failed);

    // The exit path stops the tasks and turns what was interrupted into failed rows.
    manager_.PrepareForExit();
    EXPECT_EQ(StatusOf(0), Failed);
    EXPECT_EQ(StatusOf(1), Failed);
    saved = DownEngine::LoadDownloadedGames(RecordPath());
    EXPECT_EQ(saved[0]->status, Failed);
    EXPECT_EQ(saved[1]->status, Failed);
}

TEST_F(DownloadManagerTest, AFileTheEngineFinishedAfterTheLastTickStaysCompletedAtExit) {
    Serve({{"done", kSmall}});
    StartFiles("done");
    // No tick reaches the manager: the engine alone says the file is whole.
    ASSERT_TRUE(PollUntil([&] {
        EngineTaskReport report{};
        return engine_.QueryTaskInfoEx(At(0).taskHandle, report) != 0 &&
               report.state == DL_STATE_COMPLETE;
    }));
    EXPECT_EQ(StatusOf(0), Downloading);
    manager_.PrepareForExit();
    EXPECT_EQ(StatusOf(0), Completed);
    EXPECT_EQ(DownEngine::LoadDownloadedGames(RecordPath())[0]->status, Completed);
    EXPECT_EQ(Saved("done.zip"), Expected("done", kSmall));
}

TEST_F(DownloadManagerTest, AnInterruptedDownloadContinuesInTheNextRunFromWhatIsOnDisk) {
    // Paced so that the whole file takes a few seconds on eight connections: on a loaded machine
    // the engine's count of bytes on disk trails the network, and a quicker file could be whole
    // before the stop, leaving nothing to continue.
    Serve({{"big", 8 * 1024 * 1024}}, {"--rate", "512k"});
    StartFiles("big");
    ASSERT_TRUE(TickUntil([&] {
        EngineTaskReport report{};
        engine_.QueryTaskInfoEx(At(0).taskHandle, report);
        return report.downloadedBytes > 3 * 1024 * 1024;
    }));
    manager_.PrepareForExit();

    // The next run: a new engine, the rows from the record.
    DownEngine::CDownWrapper engine(AnsiToUtf16(ENGINE_DIR "/"));
    ASSERT_EQ(engine.Init(), 1);
    DownEngine::TrustClientCertificates(engine, kTrustedCaPem);
    RecordedPage page;
    RecordedTimer timer;
    DownEngine::DownloadManager next(engine, context_, page, timer);
    next.KeepRecordAt(RecordPath());
    next.LoadRecord();
    ASSERT_EQ(next.Downloads().size(), 1u);
    DownEngine::Download& row = *next.Downloads()[0];
    EXPECT_EQ(row.taskHandle, 0u);
    EXPECT_EQ(page.rows[0]->LastView(), Failed);
    next.RetryDownload(row);
    EngineTaskReport report{};
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (row.record->status == Downloading && Clock::now() < deadline) {
        next.PollDownloads(DownloadManager::kPollTimerId);
        engine.QueryTaskInfoEx(row.taskHandle, report);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(row.record->status, Completed);
    EXPECT_EQ(Saved("big.zip"), Expected("big", 8 * 1024 * 1024));
    EXPECT_LT(report.fetchedBytes, 5 * 1024 * 1024) << "what was on disk came again";
}

}  // namespace
