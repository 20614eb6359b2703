#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "api/ApiClient.h"
#include "catalog/CatalogLoader.h"
#include "common/TextConvert.h"
#include "context/Messages.h"
#include "download/DownloadedGamesRecord.h"
#include "platform/Messages.h"
#include "server/DemoFileBytes.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/items/ItemSupport.h"
#include "ui/items/MyDownloadListLayout.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "ui/windows/DownWnd.h"
#include "ui/windows/MessageWnd.h"
#include "uikit/controls/ContainerUI.h"

namespace hl = platform::headless;
using uikit::CControlUI;

namespace {

constexpr int64_t kMapsBytes = 1024 * 1024 + 99;
constexpr int64_t kBotsBytes = 512 * 1024 + 7;

// A catalogue of one game with one version of two files, served by a kavrin-server of the
// test's own.
void WriteOneGameCatalog(const std::filesystem::path& data) {
    std::filesystem::create_directories(data / "files");
    WriteWholeFile(data / "catalog.json", R"({"status":"SUCCESS","gameInfos":[{
        "id":1001,"version":1,"name":"反恐精英CS1.6 经典版","rate":"9.6","tag":"射击,经典",
        "issueDate":"2003-09-15","developer":"青岚互动","supportLanguages":"简体中文",
        "size":"2MB","gameDetailPage":"cs.gif","gameCoverPage":"cs.jpg","label":"1","type":2,
        "packages":[
          {"name":"cs16-maps","sizeStr":"1MB","size":1,"bytes":1048675,"extension":".zip",
           "url":"{BASE}files/cs16-maps.zip"},
          {"name":"cs16-bots","sizeStr":"1MB","size":1,"bytes":524295,"extension":".zip",
           "url":"{BASE}files/cs16-bots.zip"}]}]})");
}

// Everything a player does with one download, through the windows of the real program on the
// headless window system: the library, the detail page, the selection, the my-downloads page,
// the quit confirmation and the next start.
class RoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        person_ = std::make_unique<QueuedAction>();
        WriteOneGameCatalog(data_.path());
        server_ = std::make_unique<TestServer>(
            std::vector<std::string>{"--data", data_.path().string(), "--rate", "1m"});
        UseBuiltEngine(context_);
        context_.baseUrl = server_->baseUrl();
        context_.publicKeyPem = ProcessContext().publicKeyPem;
        context_.recordPath = files_.Wide("gameList.dat");
        context_.configuredDownloadFolder = AnsiToUtf16((files_ / "downloads").string());
        std::filesystem::create_directories(files_ / "downloads");
        ASSERT_TRUE(InitHttpLibrary());
        ASSERT_TRUE(FetchCatalog(ApiClient(context_), 140, catalog_));
        ASSERT_EQ(catalog_.size(), 1u);
    }
    void TearDown() override { EndMainWindow(window_ != nullptr ? window_->GetHWND() : 0); }

    void StartProgram() {
        window_ = std::make_unique<CMainWnd>(context_, [this](uikit::CWindowManagerUI& m) {
            return std::make_unique<CatalogPages>(m, catalog_, orders_);
        });
        ASSERT_TRUE(window_->CreateMain(platform::kStylePopup | platform::kStyleVisible));
        window_->CenterWindow();
        platform::PostWindowMessage(window_->GetHWND(), MSG_CATALOG_LOADED, 1, 0);
        ASSERT_TRUE(platform::ProcessPendingMessages());
    }
    CControlUI* Find(std::u16string_view name) { return window_->Manager().FindControl(name); }
    uikit::CContainerUI* Container(std::u16string_view name) {
        return static_cast<uikit::CContainerUI*>(Find(name)->GetInterface(u"Container"));
    }
    void Click(const CControlUI* control) {
        platform::ProcessPendingMessages();
        ClickControl(window_->GetHWND(), control);
        platform::ProcessPendingMessages();
    }
    MyDownloadListLayout& Row(int i) {
        auto* element = static_cast<uikit::CContainerUI*>(Container(u"downloadlist")->GetItemAt(i));
        return *static_cast<MyDownloadListLayout*>(element->GetItemAt(0));
    }
    std::u16string StatusOf(int row) {
        return std::u16string(FindInItem(Row(row), u"GameStatus")->GetText());
    }
    bool TickUntilCompleted(int rows) {
        return PollUntil(
            [&] {
                hl::FireTimer(window_->GetHWND(), CMainWnd::kPollTimerId);
                platform::ProcessPendingMessages();
                for (int i = 0; i < rows; ++i) {
                    if (StatusOf(i) != u"下载完成") {
                        return false;
                    }
                }
                return true;
            },
            std::chrono::seconds(30), std::chrono::milliseconds(60));
    }
    std::string Saved(const char* name) {
        return ReadWholeFile(files_ / "downloads" / (std::string(name) + ".zip"));
    }

    TempDir data_;
    TempDir files_;
    std::unique_ptr<TestServer> server_;
    AppContext context_;
    GameCatalog catalog_;
    OrdersList orders_;
    std::unique_ptr<CMainWnd> window_;
    std::unique_ptr<QueuedAction> person_;
};

TEST_F(RoundTrip, TileDetailSelectionDownloadQuitAndTheRowComesBackAtTheNextStart) {
    StartProgram();
    // The library's one tile opens the detail page of its game.
    uikit::CContainerUI* tiles = Container(u"gameTileLayout");
    ASSERT_EQ(tiles->GetCount(), 1);
    Click(FindInItem(*tiles->GetItemAt(0), u"gameOption"));
    EXPECT_EQ(window_->CurrentPage(), CMainWnd::kDetailPage);
    uikit::CContainerUI* versions = Container(u"OwnGamePackagesTileLayout");
    ASSERT_EQ(versions->GetCount(), 1);

    // "立即下载" opens the selection modally; what the person does there is queued before the
    // click, so it runs inside the selection's loop. its download button hands both files over and
    // the notice sends the player to "我的下载".
    platform::ProcessPendingMessages();  // the detail page is laid out before the person acts
    std::u16string notice;
    person_->Post([&] {
        DownWnd* selection = window_->OpenSelection();
        ASSERT_NE(selection, nullptr);
        platform::ProcessPendingMessages();  // laid out and painted, as a person sees it
        person_->Post([&] {
            CMessageWnd* message = window_->OpenSelection()->OpenNotice();
            ASSERT_NE(message, nullptr);
            notice = message->Manager().FindControl(u"titleTips")->GetText();
            ClickInDialog(message->GetHWND(), message->Manager().FindControl(u"btn_ok"));
        });
        ClickControl(selection->GetHWND(), selection->Manager().FindControl(u"nowDownLoadBtn"));
    });
    ClickControl(window_->GetHWND(), FindInItem(*versions->GetItemAt(0), u"versionNowDownLoadBtn"));
    EXPECT_EQ(window_->OpenSelection(), nullptr) << "the selection closes after the notice";
    EXPECT_NE(notice.find(u"我的下载"), std::u16string::npos);

    // The rows were there behind the notice; the page shows them downloading, then done.
    Click(Find(u"MyDownload"));
    ASSERT_EQ(Container(u"downloadlist")->GetCount(), 2);
    EXPECT_FALSE(Find(u"NoContent1")->IsVisible());
    EXPECT_EQ(FindInItem(Row(0), u"GameName")->GetText(), u"cs16-maps");
    EXPECT_EQ(FindInItem(Row(0), u"GameImg")->GetBkImage(), u"img/logo/cs.png");
    ASSERT_TRUE(TickUntilCompleted(2)) << Utf16ToAnsi(StatusOf(0));
    EXPECT_TRUE(Saved("cs16-maps") == DemoFileBytes("cs16-maps.zip", 0, kMapsBytes));
    EXPECT_TRUE(Saved("cs16-bots") == DemoFileBytes("cs16-bots.zip", 0, kBotsBytes));
    const std::u16string loadTime(FindInItem(Row(0), u"GameTime")->GetText());

    // Quitting asks first (again a modal window the person answers from its loop); its OK ends the
    // program, which keeps the list.
    platform::ProcessPendingMessages();
    person_->Post([&] {
        CMessageWnd* confirmation = window_->OpenConfirmation();
        ASSERT_NE(confirmation, nullptr);
        ClickInDialog(confirmation->GetHWND(), confirmation->Manager().FindControl(u"btn_ok"));
    });
    ClickControl(window_->GetHWND(), Find(u"closeBtn"));
    platform::RunMessageLoop();
    EXPECT_FALSE(platform::IsWindow(window_->GetHWND()));
    ASSERT_EQ(DownEngine::LoadDownloadedGames(context_.recordPath).size(), 2u);

    // The next start shows both rows as completed, with their time, and nothing to resume.
    StartProgram();
    Click(Find(u"MyDownload"));
    ASSERT_EQ(Container(u"downloadlist")->GetCount(), 2);
    EXPECT_EQ(StatusOf(0), u"下载完成");
    EXPECT_EQ(StatusOf(1), u"下载完成");
    EXPECT_TRUE(FindInItem(Row(0), u"GameEndLoad")->IsVisible());
    EXPECT_EQ(FindInItem(Row(0), u"GameTime")->GetText(), loadTime);
    EXPECT_EQ(Row(0).GetDownload().taskHandle, 0u);
}

}  // namespace
