#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "api/ApiClient.h"
#include "catalog/CatalogLoader.h"
#include "context/Messages.h"
#include "platform/Messages.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/items/DownItem.h"
#include "ui/items/ItemSupport.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "ui/windows/DownWnd.h"
#include "ui/windows/MessageWnd.h"
#include "ui/windows/SelectionSummary.h"
#include "uikit/controls/CheckBoxUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/window/ShadowUI.h"

namespace hl = platform::headless;
using uikit::CControlUI;

namespace {

TEST(SelectionSummary, SizesUpToOneGigabyteInMegabytesAndAboveInGigabytes) {
    EXPECT_EQ(SummaryText(0, 0), u"文件个数：0   文件大小：0MB") << "the markup's own start";
    EXPECT_EQ(SummaryText(2, 400 + 500), u"文件个数：2   文件大小：900MB");
    EXPECT_EQ(SummaryText(1, 1024), u"文件个数：1   文件大小：1024MB");
    EXPECT_EQ(SummaryText(1, 1025), u"文件个数：1   文件大小：1.00G");
    EXPECT_EQ(SummaryText(3, 300 + 400 + 500), u"文件个数：3   文件大小：1.17G");
    // Sums of many large files pass what one file's size can hold.
    EXPECT_EQ(SummaryText(12, int64_t{12} * 2000000000), u"文件个数：12   文件大小：23437500.00G");
}

// The main window with the selection's hand-over kept instead of started.
class CapturingMainWnd : public CMainWnd {
  public:
    using CMainWnd::CMainWnd;
    void StartDownloads(std::unique_ptr<DownloadSelection> list) override {
        received.push_back(std::move(list));
    }
    std::vector<std::unique_ptr<DownloadSelection>> received;
};

DownloadRecord PackageFile(std::u16string name, int32_t size) {
    DownloadRecord file;
    file.name = std::move(name);
    file.url = u"https://files.example/" + file.name + u".zip";
    file.size = size;
    file.sizeStr = u"display size";
    file.img = u"img/logo/cs.png";
    file.status = Paused;
    file.extension = u".zip";
    file.loadTime = u"2026-12-01 10:00:00";
    return file;
}

GamePackage ThreeFilePackage() {
    GamePackage package;
    package.id = 1003;
    package.type = 7;
    package.name = u"反恐精英CS1.6 怀旧对战包";
    package.files = {PackageFile(u"cs16-retro-maps", 300), PackageFile(u"cs16-retro-bots", 400),
                     PackageFile(u"cs16-retro-skins", 500)};
    return package;
}

// The real main window on the headless system, its pages over a catalogue of the test's own.
class SelectionWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        person_ = std::make_unique<QueuedAction>();
        hl::MouseMove(1, 1);  // wherever the last test left the pointer, it is not on us
        UseBuiltEngine(context_);
        window_ = std::make_unique<CapturingMainWnd>(context_, [this](uikit::CWindowManagerUI& m) {
            return std::make_unique<CatalogPages>(m, catalog_, orders_);
        });
        ShowMainWindow(*window_);
        hwnd_ = window_->GetHWND();
    }
    void TearDown() override { EndMainWindow(hwnd_); }

    // Runs `person` once the selection window is up and, after it, lets the window close on its
    // own; true when it was still open then (it is closed here, so no test hangs on it).
    bool ActOnSelection(const std::function<void()>& person, const std::function<void()>& open) {
        bool leftOpen = false;
        person_->Post([&] {
            platform::ProcessPendingMessages();  // laid out and painted, as a person sees it
            person();
            person_->Post([&] {
                if (DownWnd* selection = window_->OpenSelection()) {
                    leftOpen = true;
                    selection->Close(0);
                }
            });
        });
        open();
        platform::ProcessPendingMessages();
        return leftOpen;
    }
    bool ActOnSelection(const GamePackage& package, const std::function<void()>& person) {
        return ActOnSelection(person, [&] { window_->ShowDownloadSelection(package); });
    }

    DownWnd& Selection() { return *window_->OpenSelection(); }
    CControlUI* InSelection(std::u16string_view name) {
        return Selection().Manager().FindControl(name);
    }
    std::u16string Summary() { return std::u16string(InSelection(u"fileCountLabel")->GetText()); }
    std::vector<DownItem*> Rows() {
        auto* tile =
            static_cast<uikit::CContainerUI*>(InSelection(u"tileItem")->GetInterface(u"Container"));
        std::vector<DownItem*> rows;
        for (int i = 0; tile != nullptr && i < tile->GetCount(); ++i) {
            rows.push_back(
                static_cast<DownItem*>(tile->GetItemAt(i)->GetInterface(u"CDownItemUI")));
        }
        return rows;
    }
    void ClickBox(size_t row) {
        ClickControl(Selection().GetHWND(), FindInItem(*Rows().at(row), u"checkBtn"));
    }
    // Clicks the download button; `onNotice` runs while the notice it opens is up, and then the
    // notice's OK is clicked.
    void Download(const std::function<void(CMessageWnd&)>& onNotice) {
        person_->Post([&] {
            CMessageWnd* notice = Selection().OpenNotice();
            ASSERT_NE(notice, nullptr);
            platform::ProcessPendingMessages();
            onNotice(*notice);
            ClickInDialog(notice->GetHWND(), notice->Manager().FindControl(u"btn_ok"));
        });
        ClickControl(Selection().GetHWND(), InSelection(u"nowDownLoadBtn"));
    }

    AppContext context_;
    GameCatalog catalog_;
    OrdersList orders_;
    std::unique_ptr<CapturingMainWnd> window_;
    platform::WindowId hwnd_ = 0;
    std::unique_ptr<QueuedAction> person_;  // made once the headless system is in use
};

std::vector<std::u16string> NamesOf(const std::vector<DownItem*>& rows) {
    std::vector<std::u16string> names;
    for (DownItem* row : rows) {
        names.emplace_back(FindInItem(*row, u"nameLabel")->GetText());
    }
    return names;
}

// The selection window and what is around it, as the player sees it.
void WritePreview(const std::string& name, const DownWnd& selection,
                  std::initializer_list<platform::WindowId> windows) {
    const platform::Rect d = platform::GetWindowRect(selection.GetHWND());
    WriteScreenPreview(name, platform::Rect{d.left - 40, d.top - 40, d.right + 40, d.bottom + 40},
                       windows);
}

// The width a label's text takes against the room the label gives it.
int TextRoom(const uikit::CLabelUI& label) {
    const uikit::Rect& pos = label.GetPos();
    const uikit::Rect padding = label.GetTextPadding();
    return pos.right - pos.left - padding.left - padding.right;
}

TEST_F(SelectionWindow, OpensModallyOverTheMainWindowWithEveryFileTickedAndCounted) {
    const GamePackage package = ThreeFilePackage();
    bool ownerEnabled = true;
    const bool leftOpen = ActOnSelection(package, [&] {
        ownerEnabled = platform::IsWindowEnabled(hwnd_);
        const platform::WindowId dialog = Selection().GetHWND();
        EXPECT_EQ(platform::GetOwner(dialog), hwnd_);
        const platform::Rect main = platform::GetWindowRect(hwnd_);
        const platform::Rect rc = platform::GetWindowRect(dialog);
        EXPECT_EQ(rc.Width(), 340);
        EXPECT_EQ(rc.Height(), 300);
        EXPECT_NEAR(rc.left + rc.Width() / 2, main.left + main.Width() / 2, 1);
        EXPECT_NEAR(rc.top + rc.Height() / 2, main.top + main.Height() / 2, 1);

        EXPECT_EQ(Summary(), u"文件个数：3   文件大小：1.17G");
        const std::vector<DownItem*> rows = Rows();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(NamesOf(rows), (std::vector<std::u16string>{
                                     u"cs16-retro-maps", u"cs16-retro-bots", u"cs16-retro-skins"}));
        for (DownItem* row : rows) {
            ASSERT_NE(row->CheckBox(), nullptr);
            EXPECT_TRUE(row->CheckBox()->GetCheck());
            ASSERT_NE(row->record, nullptr);
            EXPECT_EQ(row->record->type, 7) << "stamped with the package's game";
        }
        ClickControl(Selection().GetHWND(), InSelection(u"closebtn"));
    });
    EXPECT_FALSE(leftOpen) << "the close button closes it";
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(platform::IsWindowEnabled(hwnd_));
    EXPECT_EQ(window_->OpenSelection(), nullptr);
    EXPECT_TRUE(window_->received.empty()) << "closing downloads nothing";
    for (const DownloadRecord& file : package.files) {
        EXPECT_EQ(file.type, 0) << "the catalogue's own package stays as it was";
    }
}

TEST_F(SelectionWindow, EachClickOnABoxRecountsWithTheStateTheBoxTakes) {
    const bool leftOpen = ActOnSelection(ThreeFilePackage(), [&] {
        ClickBox(0);
        EXPECT_FALSE(Rows()[0]->CheckBox()->GetCheck());
        EXPECT_EQ(Summary(), u"文件个数：2   文件大小：900MB");
        ClickBox(2);
        EXPECT_EQ(Summary(), u"文件个数：1   文件大小：400MB");
        ClickBox(0);
        EXPECT_TRUE(Rows()[0]->CheckBox()->GetCheck());
        EXPECT_EQ(Summary(), u"文件个数：2   文件大小：700MB");
        ClickBox(1);
        ClickBox(0);
        EXPECT_EQ(Summary(), u"文件个数：0   文件大小：0MB");
        // Escape leaves without a download.
        hl::KeyDown(platform::VK_ESCAPE);
    });
    EXPECT_FALSE(leftOpen);
    EXPECT_TRUE(window_->received.empty());
}

TEST_F(SelectionWindow, DownloadWithNothingTickedAsksForAFileAndKeepsTheWindowOpen) {
    std::u16string noticeText;
    const bool leftOpen = ActOnSelection(ThreeFilePackage(), [&] {
        for (size_t row = 0; row < 3; ++row) {
            ClickBox(row);
        }
        Download([&](CMessageWnd& notice) {
            noticeText = notice.Manager().FindControl(u"titleTips")->GetText();
            EXPECT_FALSE(platform::IsWindowEnabled(Selection().GetHWND())) << "modal over it";
        });
        platform::ProcessPendingMessages();
        EXPECT_EQ(Rows().size(), 3u);
        for (DownItem* row : Rows()) {
            EXPECT_NE(row->record, nullptr) << "nothing was handed over";
        }
    });
    EXPECT_EQ(noticeText, u"请选择文件");
    EXPECT_TRUE(leftOpen);
    EXPECT_TRUE(window_->received.empty()) << "nothing was posted";
}

TEST_F(SelectionWindow, DownloadHandsTheTickedFilesToTheMainWindowAndClosesAfterTheNotice) {
    std::u16string noticeText;
    const bool leftOpen = ActOnSelection(ThreeFilePackage(), [&] {
        ClickBox(1);
        Download([&](CMessageWnd& notice) {
            noticeText = notice.Manager().FindControl(u"titleTips")->GetText();
            WritePreview("down-wnd-started", Selection(),
                         {hwnd_, Selection().Shadow()->GetWindow(), Selection().GetHWND(),
                          notice.Shadow()->GetWindow(), notice.GetHWND()});
        });
    });
    EXPECT_EQ(noticeText, u"请前往\"我的下载\"查看资源包下载进度");
    EXPECT_FALSE(leftOpen) << "closed once the notice was";
    ASSERT_EQ(window_->received.size(), 1u) << "one MSG_START_DOWNLOADS";
    const DownloadSelection& list = *window_->received[0];
    ASSERT_EQ(list.size(), 2u);
    const GamePackage package = ThreeFilePackage();
    const DownloadRecord* expected[] = {&package.files[0], &package.files[2]};
    for (size_t i = 0; i < list.size(); ++i) {
        const DownloadRecord& record = *list[i];
        EXPECT_EQ(record.name, expected[i]->name);
        EXPECT_EQ(record.extension, u".zip");
        EXPECT_EQ(record.url, expected[i]->url);
        EXPECT_EQ(record.size, expected[i]->size);
        EXPECT_EQ(record.img, expected[i]->img);
        EXPECT_EQ(record.status, Paused);
        EXPECT_EQ(record.type, 7);
        EXPECT_TRUE(record.sizeStr.empty()) << "the download makes its own";
        EXPECT_TRUE(record.loadTime.empty()) << "not started yet";
    }
}

TEST_F(SelectionWindow, AVersionRowsDownloadButtonOpensTheSelectionWithThatPackagesFiles) {
    ASSERT_TRUE(InitHttpLibrary());
    TestServer server;
    context_.baseUrl = server.baseUrl();
    context_.publicKeyPem = ProcessContext().publicKeyPem;
    ASSERT_TRUE(FetchCatalog(ApiClient(context_), 140, catalog_));
    const GamePackage* retro = nullptr;
    for (const GamePackage& package : catalog_) {
        retro = package.id == 1003 ? &package : retro;
    }
    ASSERT_NE(retro, nullptr);
    ASSERT_EQ(retro->files.size(), 3u) << "the demo's three-file version";
    platform::PostWindowMessage(hwnd_, MSG_SHOW_GAME_DETAIL, reinterpret_cast<uintptr_t>(retro), 0);
    platform::ProcessPendingMessages();

    // The third version row of game 1 is 1003.
    auto* versions = static_cast<uikit::CContainerUI*>(
        window_->Manager().FindControl(u"OwnGamePackagesTileLayout")->GetInterface(u"Container"));
    ASSERT_EQ(versions->GetCount(), 3);
    CControlUI* button = FindInItem(*versions->GetItemAt(2), u"versionNowDownLoadBtn");
    ASSERT_EQ(button->GetTag(), reinterpret_cast<uintptr_t>(retro));

    bool ownerEnabled = true;
    std::vector<std::u16string> names;
    std::vector<int32_t> types;
    std::u16string summary;
    const bool leftOpen = ActOnSelection(
        [&] {
            ownerEnabled = platform::IsWindowEnabled(hwnd_);
            EXPECT_EQ(platform::GetOwner(Selection().GetHWND()), hwnd_);
            names = NamesOf(Rows());
            for (DownItem* row : Rows()) {
                types.push_back(row->record->type);
            }
            summary = Summary();
            ClickControl(Selection().GetHWND(), InSelection(u"closebtn"));
        },
        [&] { ClickControl(hwnd_, button); });
    EXPECT_FALSE(leftOpen);
    EXPECT_FALSE(ownerEnabled) << "modal over the main window";
    std::vector<std::u16string> expected;
    for (const DownloadRecord& file : retro->files) {
        expected.push_back(file.name);
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(types, std::vector<int32_t>(3, retro->type));
    int64_t total = 0;
    for (const DownloadRecord& file : retro->files) {
        total += file.size;
    }
    EXPECT_EQ(summary, SummaryText(3, total));
    EXPECT_EQ(window_->OpenSelection(), nullptr);
    EXPECT_TRUE(platform::IsWindowEnabled(hwnd_));
    EXPECT_TRUE(window_->received.empty());
}

TEST_F(SelectionWindow, ARealisticPackageFitsItsRowsAndSummary) {
    GamePackage package;
    package.type = 2;
    package.files = {
        PackageFile(u"frozen-throne-setup", 1480),
        PackageFile(u"魔兽争霸3：冰封王座 1.24e 官方对战平台与经典自定义地图合集（含战役）", 860),
        PackageFile(u"frozen-throne-maps", 120),
        PackageFile(u"frozen-throne-music", 95),
        PackageFile(u"frozen-throne-patch-124e", 42),
        PackageFile(u"frozen-throne-manual", 8),
    };
    ActOnSelection(package, [&] {
        ClickBox(4);
        EXPECT_EQ(Summary(), u"文件个数：5   文件大小：2.50G");
        platform::ProcessPendingMessages();
        WritePreview("down-wnd", Selection(),
                     {hwnd_, Selection().Shadow()->GetWindow(), Selection().GetHWND()});

        auto* summary =
            static_cast<uikit::CLabelUI*>(InSelection(u"fileCountLabel")->GetInterface(u"Label"));
        // The widest the line gets with a two-digit count.
        summary->SetText(SummaryText(99, 1023));
        EXPECT_LE(summary->MeasureTextWidth(), TextRoom(*summary));
        summary->SetText(SummaryText(99, 999999));
        EXPECT_LE(summary->MeasureTextWidth(), TextRoom(*summary));

        // The long name is wider than its row, which ends it in an ellipsis.
        auto* longName = static_cast<uikit::CLabelUI*>(
            FindInItem(*Rows()[1], u"nameLabel")->GetInterface(u"Label"));
        EXPECT_GT(longName->MeasureTextWidth(), TextRoom(*longName));
        EXPECT_LE(longName->GetPos().right, Rows()[1]->GetPos().right);
        ClickControl(Selection().GetHWND(), InSelection(u"closebtn"));
    });
}

}  // namespace
