#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>

#include "catalog/GameCatalog.h"
#include "common/TextConvert.h"
#include "context/Messages.h"
#include "download/DownloadedGamesRecord.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "server/DemoFileBytes.h"
#include "tests/support/ServedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/items/ItemSupport.h"
#include "ui/items/MyDownloadListLayout.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ContainerUI.h"

namespace hl = platform::headless;
using uikit::CControlUI;

namespace {

constexpr int64_t kFileSize = 700 * 1024 + 3;

// The main window with a record of earlier downloads, a download folder of its own and a
// kavrin-server that serves the files the rows name.
class DownloadsPage : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        WriteServedCatalog(data_.path(), {{"done", kFileSize},
                                          {"failed", kFileSize},
                                          {"slow", 64 * 1024 * 1024},
                                          {"slower", 64 * 1024 * 1024}});
        server_ = std::make_unique<TestServer>(
            std::vector<std::string>{"--data", data_.path().string(), "--rate", "2m"});
        UseBuiltEngine(context_);
        context_.recordPath = files_.Wide("gameList.dat");
        context_.configuredDownloadFolder = AnsiToUtf16((files_ / "downloads").string());
        std::filesystem::create_directories(files_ / "downloads");
    }
    void TearDown() override { EndMainWindow(window_ != nullptr ? window_->GetHWND() : 0); }

    DownloadRecord Row(const std::string& name, int32_t status) {
        DownloadRecord record;
        record.name = AnsiToUtf16(name);
        record.extension = u".zip";
        record.url = AnsiToUtf16(server_->baseUrl() + "files/" + name + ".zip");
        record.img = u"img/logo/cs.png";
        record.loadTime = u"2023-08-04 09:05:07";
        record.status = status;
        record.type = 2;
        return record;
    }
    void Remember(const std::vector<DownloadRecord>& rows) {
        std::vector<const DownloadRecord*> pointers;
        for (const DownloadRecord& row : rows) {
            pointers.push_back(&row);
        }
        ASSERT_TRUE(DownEngine::SaveDownloadedGames(context_.recordPath, pointers));
    }

    void Open() {
        window_ = std::make_unique<CMainWnd>(context_, MainPagesFactory{});
        ShowMainWindow(*window_);
        ClickControl(window_->GetHWND(), Find(u"MyDownload"));
        platform::ProcessPendingMessages();
    }

    CControlUI* Find(std::u16string_view name) { return window_->Manager().FindControl(name); }
    uikit::CContainerUI& List() {
        return *static_cast<uikit::CContainerUI*>(
            Find(u"downloadlist")->GetInterface(u"Container"));
    }
    MyDownloadListLayout& RowAt(int i) {
        auto* element = static_cast<uikit::CContainerUI*>(List().GetItemAt(i));
        return *static_cast<MyDownloadListLayout*>(element->GetItemAt(0));
    }
    CControlUI* In(int row, std::u16string_view name) { return FindInItem(RowAt(row), name); }
    std::u16string StatusText(int row) { return std::u16string(In(row, u"GameStatus")->GetText()); }
    // The one button group of a row that shows.
    std::u16string VisibleGroup(int row) {
        std::u16string shown;
        for (const char16_t* group : {u"GameEndLoad", u"GameStartLoad", u"GameStopLoad",
                                      u"GameLoadFail", u"GameContinue"}) {
            if (In(row, group)->IsVisible()) {
                shown += shown.empty() ? group : u"+" + std::u16string(group);
            }
        }
        return shown;
    }
    void Click(int row, std::u16string_view button) {
        platform::ProcessPendingMessages();
        ClickControl(window_->GetHWND(), In(row, button));
        platform::ProcessPendingMessages();
    }
    // Fires the poll timer as its period would, until done() or 20 s passed.
    template <typename Done>
    bool TickUntil(Done done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            hl::FireTimer(window_->GetHWND(), CMainWnd::kPollTimerId);
            platform::ProcessPendingMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        return done();
    }
    std::string Saved(const std::string& name) {
        return ReadWholeFile(files_ / "downloads" / (name + ".zip"));
    }

    TempDir data_;
    TempDir files_;
    std::unique_ptr<TestServer> server_;
    AppContext context_;
    std::unique_ptr<CMainWnd> window_;
};

TEST_F(DownloadsPage, RowsOfTheRecordComeBackWithTheViewOfTheirStatus) {
    Remember(
        {Row("done", Completed), Row("failed", Failed), Row("idle", Idle), Row("paused", Paused)});
    Open();
    ASSERT_EQ(List().GetCount(), 4);
    EXPECT_FALSE(Find(u"NoContent1")->IsVisible());
    EXPECT_EQ(List().GetItemAt(0)->GetFixedHeight(), 70);
    EXPECT_EQ(In(0, u"GameName")->GetText(), u"done");
    EXPECT_EQ(In(0, u"GameTime")->GetText(), u"2023-08-04 09:05:07");
    EXPECT_EQ(In(0, u"GameImg")->GetBkImage(), u"img/logo/cs.png");
    EXPECT_EQ(StatusText(0), u"下载完成");
    EXPECT_EQ(VisibleGroup(0), u"GameEndLoad");
    EXPECT_EQ(RowAt(0).GetDownload().taskHandle, 0u);
    EXPECT_EQ(StatusText(1), u"下载失败");
    EXPECT_EQ(VisibleGroup(1), u"GameLoadFail");
    // A row that never started keeps the markup's look.
    EXPECT_EQ(StatusText(2), u"未下载");
    EXPECT_EQ(VisibleGroup(2), u"GameStopLoad");
    // One that was paused when the record was written has no task to continue.
    EXPECT_EQ(StatusText(3), u"下载失败");
    EXPECT_EQ(VisibleGroup(3), u"GameLoadFail");
}

TEST_F(DownloadsPage, AnEmptyRecordLeavesTheNoticeShown) {
    Remember({});
    Open();
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_TRUE(Find(u"NoContent1")->IsVisible());
}

TEST_F(DownloadsPage, TheRowButtonsDriveTheDownloadToItsEnd) {
    Remember({Row("failed", Failed)});
    Open();
    Click(0, u"LoadFail");
    EXPECT_EQ(VisibleGroup(0), u"GameStopLoad");
    const DL_TaskHandle task = RowAt(0).GetDownload().taskHandle;
    EXPECT_NE(task, 0u);
    ASSERT_TRUE(TickUntil([&] { return StatusText(0).find(u"下载中...") == 0; }));

    Click(0, u"GameSuspend");
    EXPECT_EQ(StatusText(0), u"暂停");
    EXPECT_EQ(VisibleGroup(0), u"GameContinue");
    Click(0, u"LoadContinue");
    EXPECT_EQ(VisibleGroup(0), u"GameStopLoad");
    EXPECT_EQ(RowAt(0).GetDownload().taskHandle, task);
    ASSERT_TRUE(TickUntil([&] { return StatusText(0) == u"下载完成"; }))
        << Utf16ToAnsi(StatusText(0));
    EXPECT_EQ(VisibleGroup(0), u"GameEndLoad");
    EXPECT_EQ(Saved("failed"), DemoFileBytes("failed.zip", 0, kFileSize));
    // The record follows at once, without waiting for the exit.
    EXPECT_EQ(DownEngine::LoadDownloadedGames(context_.recordPath)[0]->status, Completed);
}

TEST_F(DownloadsPage, StopTurnsTheRowToFailedAndTheExitWritesTheRecord) {
    Remember({Row("failed", Failed), Row("done", Completed)});
    Open();
    Click(0, u"LoadFail");
    Click(0, u"GameStop");
    EXPECT_EQ(StatusText(0), u"下载失败");
    EXPECT_EQ(VisibleGroup(0), u"GameLoadFail");
    EXPECT_FALSE(In(0, u"GameStatus")->GetToolTip().empty());
    Click(1, u"GameOperation");
    EXPECT_EQ(VisibleGroup(1), u"GameStopLoad");
    platform::PostWindowMessage(window_->GetHWND(), MSG_EXIT_APP, 0, 0);
    platform::RunMessageLoop();
    const auto saved = DownEngine::LoadDownloadedGames(context_.recordPath);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0]->status, Failed);
    EXPECT_EQ(saved[1]->status, Failed) << "interrupted by the exit";
    EXPECT_EQ(saved[1]->name, u"done");
}

// The desktop hears of a download that ends only while the player looks elsewhere.
TEST_F(DownloadsPage, ADownloadThatEndsOutOfSightIsToldThroughTheDesktop) {
    Remember({Row("done", Failed), Row("failed", Failed), Row("missing", Failed)});
    struct CatalogReset {
        ~CatalogReset() { ProcessCatalog().clear(); }
    } reset;
    GamePackage game;
    game.name = u"反恐精英CS1.6 经典版";
    game.type = 7;
    game.files.push_back(Row("failed", Idle));
    ProcessCatalog().push_back(game);
    Open();
    platform::PostWindowMessage(window_->GetHWND(), MSG_CATALOG_LOADED, 1, 0);
    platform::ProcessPendingMessages();
    hl::ClearNotifications();

    Click(0, u"LoadFail");
    ASSERT_TRUE(TickUntil([&] { return StatusText(0) == u"下载完成"; }));
    EXPECT_TRUE(hl::Notifications().empty()) << "the player saw the row change";

    // Another program takes the focus: the package's name is the title. The download starts
    // only then, so no poll can see it end while the window is still in front.
    platform::SetFocus(0);
    window_->RetryDownload(RowAt(1).GetDownload());
    ASSERT_TRUE(TickUntil([&] { return StatusText(1) == u"下载完成"; }));
    EXPECT_EQ(hl::Notifications(),
              (std::vector<hl::DesktopNotification>{{"反恐精英CS1.6 经典版", "下载完成"}}));

    // A minimised window is out of sight too; a file of no known game goes by its own name.
    hl::ClearNotifications();
    platform::SetForegroundWindow(window_->GetHWND());
    platform::ShowNativeWindow(window_->GetHWND(), platform::ShowCommand::Minimize);
    window_->RetryDownload(RowAt(2).GetDownload());
    ASSERT_TRUE(TickUntil([&] { return RowAt(2).GetDownload().record->status == Failed; }));
    EXPECT_EQ(StatusText(2), u"下载失败");
    EXPECT_EQ(hl::Notifications(),
              (std::vector<hl::DesktopNotification>{{"missing.zip", "下载失败"}}));
}

TEST_F(DownloadsPage, ARowLightsUpUnderThePointerWithAHand) {
    Remember({Row("done", Completed)});
    Open();
    CControlUI* root = In(0, u"downLoadList");
    EXPECT_EQ(root->GetBkColor(), 0xFFF8FDFFu);
    const platform::Point at = ControlCentre(window_->GetHWND(), *In(0, u"GameName"));
    hl::MouseMove(at.x, at.y);
    platform::ProcessPendingMessages();
    EXPECT_EQ(root->GetBkColor(), 0xFFE5F0F5u);
    EXPECT_EQ(hl::CurrentCursor(), platform::Cursor::Hand);
    const platform::Point away = ControlCentre(window_->GetHWND(), *Find(u"GameBookBtn"));
    hl::MouseMove(away.x, away.y);
    platform::ProcessPendingMessages();
    EXPECT_EQ(root->GetBkColor(), 0xFFF8FDFFu);
    EXPECT_EQ(hl::CurrentCursor(), platform::Cursor::Arrow);
}

}  // namespace

namespace {

TEST_F(DownloadsPage, OpenFolderShowsTheFileOrItsFolderButNeverAPathOutsideIt) {
    std::ofstream(files_ / "downloads" / "done.zip") << "finished";
    DownloadRecord escaping = Row("done", Completed);
    escaping.name = u"../../etc/passwd";
    escaping.extension = u"";
    Remember({Row("done", Completed), Row("gone", Completed), escaping});
    Open();
    hl::ClearShellRequests();
    Click(0, u"GameFolder");
    Click(1, u"GameFolder");
    Click(2, u"GameFolder");
    const std::string folder = (files_ / "downloads").string();
    using Request = hl::ShellRequest;
    EXPECT_EQ(hl::ShellRequests(), (std::vector<Request>{{Request::ShowItem, folder + "/done.zip"},
                                                         {Request::OpenFolder, folder},
                                                         {Request::OpenFolder, folder}}));
}

}  // namespace

namespace {

// The page as a player sees it with a row of each kind: one downloading, one done, one
// paused, one failed and one never started. It is written for a person to look at; the checks
// are that every row shows the one group of its status and the progress text took its place.
TEST_F(DownloadsPage, APictureOfThePageWithRowsInEveryStatus) {
    Remember({Row("slow", Failed), Row("done", Completed), Row("slower", Failed),
              Row("failed", Failed), Row("idle", Idle)});
    Open();
    Click(0, u"LoadFail");
    Click(2, u"LoadFail");
    ASSERT_TRUE(TickUntil([&] { return StatusText(2).find(u"下载中...") == 0; }));
    Click(2, u"GameSuspend");
    ASSERT_TRUE(TickUntil([&] {
        const std::u16string text = StatusText(0);
        return text.find(u"下载中...") == 0 && text != u"下载中...0%";
    }));
    EXPECT_EQ(VisibleGroup(0), u"GameStopLoad");
    EXPECT_EQ(VisibleGroup(1), u"GameEndLoad");
    EXPECT_EQ(VisibleGroup(2), u"GameContinue");
    EXPECT_EQ(VisibleGroup(3), u"GameLoadFail");
    EXPECT_EQ(VisibleGroup(4), u"GameStopLoad");
    EXPECT_NE(In(0, u"GameStatus")->GetToolTip().find(u" / "), std::u16string::npos);
    window_->Manager().PaintWindow();
    WriteScreenPreview("my-downloads", platform::GetWindowRect(window_->GetHWND()),
                       {window_->GetHWND()});
}

}  // namespace
