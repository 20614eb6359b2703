#include <memory>

#include "context/Messages.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/MainWnd.h"
#include "ui/windows/MessageWnd.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/layout/TabLayoutUI.h"
#include "uikit/window/MenuWnd.h"
#include "uikit/window/ShadowUI.h"

namespace hl = platform::headless;
using uikit::CControlUI;

namespace {

struct PagesRecord {
    int libraryFills = 0;
    int orderFills = 0;
    std::vector<const GamePackage*> details;
    // What the pages were asked: "library offline", "orders retry", ...
    std::vector<std::string> calls;
};

// Stands in for the catalogue's pages: records what the main window hands over and, like the
// real detail page, selects page 1.
class RecordingPages : public MainPages {
  public:
    RecordingPages(uikit::CWindowManagerUI& manager, PagesRecord& record)
        : manager_(manager), record_(record) {}
    void FillLibrary() override { ++record_.libraryFills; }
    void FillOrders() override { ++record_.orderFills; }
    void ShowLibraryOffline() override { record_.calls.push_back("library offline"); }
    void ShowOrdersOffline() override { record_.calls.push_back("orders offline"); }
    void RetryLibrary() override { record_.calls.push_back("library retry"); }
    void RetryOrders() override { record_.calls.push_back("orders retry"); }
    void ShowGameDetail(const GamePackage& package) override {
        record_.details.push_back(&package);
        auto* tab = static_cast<uikit::CTabLayoutUI*>(
            manager_.FindControl(u"gameItemsTab")->GetInterface(u"TabLayout"));
        tab->SelectItem(1);
    }

  private:
    uikit::CWindowManagerUI& manager_;
    PagesRecord& record_;
};

// Remembers each menu command with the number of menus still open when it ran.
class RecordingMainWnd : public CMainWnd {
  public:
    using CMainWnd::CMainWnd;
    void RunMenuCommand(std::u16string_view name) override {
        commands.emplace_back(name);
        menusOpenAtCommand.push_back(uikit::MenuObserver().menus.size());
    }
    std::vector<std::u16string> commands;
    std::vector<size_t> menusOpenAtCommand;
};

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        UseBuiltEngine(context_);
        context_.configuredDownloadFolder = u"/data/游戏";
        window_ = std::make_unique<RecordingMainWnd>(context_, [this](uikit::CWindowManagerUI& m) {
            return std::make_unique<RecordingPages>(m, pages_);
        });
        ShowMainWindow(*window_);
        hwnd_ = window_->GetHWND();
    }
    void TearDown() override { EndMainWindow(hwnd_); }

    CControlUI* Find(std::u16string_view name) { return window_->Manager().FindControl(name); }
    void Click(std::u16string_view name) {
        ClickControl(hwnd_, Find(name));
        platform::ProcessPendingMessages();
    }
    // Whether the program still runs: the window exists and no quit message is waiting.
    bool StillRunning() { return platform::IsWindow(hwnd_) && platform::ProcessPendingMessages(); }

    AppContext context_;
    PagesRecord pages_;
    std::unique_ptr<RecordingMainWnd> window_;
    platform::WindowId hwnd_ = 0;
};

TEST_F(MainWindow, BuildsFromItsMarkupPublishesItselfAndPresentsTheLibrary) {
    EXPECT_EQ(context_.mainWindow.load(), hwnd_);
    const platform::Rect rc = platform::GetWindowRect(hwnd_);
    EXPECT_EQ(rc.Width(), 1024);
    EXPECT_EQ(rc.Height(), 720);
    EXPECT_EQ(window_->PageHistory(), std::vector<int>{0});
    EXPECT_EQ(window_->CurrentPage(), 0);
    for (const char16_t* name : {u"GameBookBtn", u"MyDownload", u"MyOrderForm", u"UseHelpBtn",
                                 u"closeBtn", u"btnMenu", u"gameTileLayout", u"HelpHtmlBtn"}) {
        EXPECT_NE(Find(name), nullptr) << "missing control";
    }
    hl::Bitmap shown;
    ASSERT_TRUE(hl::LastPresented(hwnd_, shown));
    EXPECT_EQ(shown.width, 1024);
    EXPECT_EQ(shown.height, 720);
    // The head is white across the top.
    EXPECT_EQ(shown.At(500, 25), 0xFFFFFFFFu);
}

TEST_F(MainWindow, InitialisationStartsTheEngineAndSettlesTheDownloadFolder) {
    EXPECT_EQ(context_.downloadFolder, u"/data/游戏");
    // An empty downloads list keeps its notice.
    auto* rows = static_cast<uikit::CContainerUI*>(Find(u"downloadlist")->GetInterface(u"List"));
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->GetCount(), 0);
    Click(u"MyDownload");
    EXPECT_TRUE(Find(u"NoContent1")->IsVisible());
    // Stopping answers 1 only for an engine that was started.
    EXPECT_EQ(window_->Engine().UnInit(), 1);
}

TEST_F(MainWindow, NavigationOptionsSelectTheirPagesWithoutTouchingTheHistory) {
    Click(u"MyDownload");
    EXPECT_EQ(window_->CurrentPage(), 4);
    Click(u"MyOrderForm");
    EXPECT_EQ(window_->CurrentPage(), 5);
    Click(u"UseHelpBtn");
    EXPECT_EQ(window_->CurrentPage(), 6);
    Click(u"GameBookBtn");
    EXPECT_EQ(window_->CurrentPage(), 0);
    EXPECT_EQ(window_->PageHistory(), std::vector<int>{0});
}

TEST_F(MainWindow, ReturnWalksBackThroughEveryDetailPageOpened) {
    GamePackage first;
    GamePackage second;
    platform::PostWindowMessage(hwnd_, MSG_SHOW_GAME_DETAIL, reinterpret_cast<uintptr_t>(&first),
                                0);
    platform::ProcessPendingMessages();
    EXPECT_EQ(window_->CurrentPage(), 1);
    Click(u"MyDownload");
    Click(u"GameBookBtn");
    platform::PostWindowMessage(hwnd_, MSG_SHOW_GAME_DETAIL, reinterpret_cast<uintptr_t>(&second),
                                0);
    platform::ProcessPendingMessages();
    ASSERT_EQ(pages_.details.size(), 2u);
    EXPECT_EQ(pages_.details[1], &second);
    EXPECT_EQ(window_->PageHistory(), (std::vector<int>{0, 1, 1}));

    Click(u"returnBtn");
    EXPECT_EQ(window_->CurrentPage(), 1);
    Click(u"returnBtn");
    EXPECT_EQ(window_->CurrentPage(), 0);
    EXPECT_EQ(window_->PageHistory(), std::vector<int>{0});
}

TEST_F(MainWindow, WorkerResultsReachThePagesAndTheParametersChangeNothing) {
    platform::PostWindowMessage(hwnd_, MSG_CATALOG_LOADED, 1, 0);
    platform::PostWindowMessage(hwnd_, MSG_ORDERS_LOADED, 1, 0);
    platform::PostWindowMessage(hwnd_, MSG_INIT_PARAMS_LOADED, 0, 0);
    platform::ProcessPendingMessages();
    EXPECT_EQ(pages_.libraryFills, 1);
    EXPECT_EQ(pages_.orderFills, 1);
    EXPECT_EQ(window_->CurrentPage(), 0);
}

TEST_F(MainWindow, FailedCallsAndTheRetryButtonsReachTheirPages) {
    platform::PostWindowMessage(hwnd_, MSG_ORDERS_FAILED, 0, 0);
    platform::PostWindowMessage(hwnd_, MSG_CATALOG_FAILED, 0, 0);
    platform::ProcessPendingMessages();
    EXPECT_EQ(pages_.calls, (std::vector<std::string>{"orders offline", "library offline"}));
    EXPECT_EQ(pages_.libraryFills + pages_.orderFills, 0);

    // The recording pages show no notice of their own; the markup's are shown by hand.
    Find(u"libraryOffline")->SetVisible(true);
    platform::ProcessPendingMessages();
    Click(u"libraryRetryBtn");
    window_->SelectPage(CMainWnd::kOrdersPage);
    Find(u"ordersOffline")->SetVisible(true);
    platform::ProcessPendingMessages();
    Click(u"ordersRetryBtn");
    EXPECT_EQ(pages_.calls, (std::vector<std::string>{"orders offline", "library offline",
                                                      "library retry", "orders retry"}));
}

TEST_F(MainWindow, CaptionBandDragsExceptOverItsButtons) {
    const platform::Rect rc = platform::GetWindowRect(hwnd_);
    const auto hit = [&](int x, int y) {
        return platform::SendWindowMessage(hwnd_, platform::WM_NCHITTEST, 0,
                                           platform::PackPoint(rc.left + x, rc.top + y));
    };
    const uikit::Rect title = Find(u"title")->GetPos();
    EXPECT_EQ(hit(title.left + 2, (title.top + title.bottom) / 2), platform::HTCAPTION);
    EXPECT_EQ(hit(500, 10), platform::HTCAPTION);
    const platform::Point menu = ControlCentre(hwnd_, *Find(u"btnMenu"));
    EXPECT_EQ(platform::SendWindowMessage(hwnd_, platform::WM_NCHITTEST, 0,
                                          platform::PackPoint(menu.x, menu.y)),
              platform::HTCLIENT);
    EXPECT_EQ(hit(500, 60), platform::HTCLIENT);
    // No sizing border, whatever "sizebox" says.
    EXPECT_EQ(hit(1, 300), platform::HTCLIENT);
}

TEST_F(MainWindow, CloseButtonCloseMessageAndEscapeAllKeepTheProgramRunning) {
    QueuedAction person;
    person.Post([this] {
        ASSERT_NE(window_->OpenConfirmation(), nullptr);
        ClickInDialog(window_->OpenConfirmation()->GetHWND(),
                      window_->OpenConfirmation()->Manager().FindControl(u"btn_cancel"));
    });
    Click(u"closeBtn");
    EXPECT_EQ(window_->OpenConfirmation(), nullptr);
    EXPECT_TRUE(StillRunning());

    platform::PostWindowMessage(hwnd_, platform::WM_CLOSE, 0, 0);
    person.Post([this] {
        ASSERT_NE(window_->OpenConfirmation(), nullptr);
        ClickInDialog(window_->OpenConfirmation()->GetHWND(),
                      window_->OpenConfirmation()->Manager().FindControl(u"closebtn"));
    });
    platform::ProcessPendingMessages();
    EXPECT_TRUE(StillRunning());

    person.Post([] { hl::KeyDown(platform::VK_ESCAPE); });
    Click(u"closeBtn");
    EXPECT_EQ(window_->OpenConfirmation(), nullptr);
    EXPECT_TRUE(StillRunning());
    EXPECT_TRUE(platform::IsWindowEnabled(hwnd_));
}

TEST_F(MainWindow, ConfirmingTheQuitEndsTheMessageLoop) {
    QueuedAction person;
    person.Post([this] {
        ClickInDialog(window_->OpenConfirmation()->GetHWND(),
                      window_->OpenConfirmation()->Manager().FindControl(u"btn_ok"));
    });
    Click(u"closeBtn");
    EXPECT_FALSE(platform::IsWindow(hwnd_));
    EXPECT_EQ(platform::RunMessageLoop(), 0);
}

TEST_F(MainWindow, SecondStartRestoresAndRaisesTheWindow) {
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Minimize);
    ASSERT_TRUE(platform::IsMinimized(hwnd_));
    platform::PostWindowMessage(hwnd_, MSG_ACTIVATE_INSTANCE, 0, 0);
    platform::ProcessPendingMessages();
    EXPECT_FALSE(platform::IsMinimized(hwnd_));
    EXPECT_EQ(platform::GetForegroundWindow(), hwnd_);
}

TEST_F(MainWindow, MenuOpensBelowItsButtonAndItsCommandRunsOnceItIsGone) {
    Click(u"btnMenu");
    ASSERT_EQ(uikit::MenuObserver().menus.size(), 1u);
    uikit::CMenuWnd* menu = uikit::MenuObserver().menus.front();
    const platform::Rect main = platform::GetWindowRect(hwnd_);
    const uikit::Rect button = Find(u"btnMenu")->GetPos();
    const platform::Rect placed = platform::GetWindowRect(menu->GetHWND());
    EXPECT_EQ(placed.left, main.left + button.left - 35);
    EXPECT_EQ(placed.top, main.top + button.bottom + 10);
    EXPECT_EQ(placed.Width(), 94);

    ClickInDialog(menu->GetHWND(), menu->Manager().FindControl(u"settingGamePath"));
    platform::ProcessPendingMessages();
    EXPECT_TRUE(uikit::MenuObserver().menus.empty());
    ASSERT_EQ(window_->commands.size(), 1u);
    EXPECT_EQ(window_->commands[0], u"settingGamePath");
    EXPECT_EQ(window_->menusOpenAtCommand[0], 0u);
    EXPECT_EQ(uikit::ClickedMenuName(), u"settingGamePath");
}

TEST_F(MainWindow, EscapeClosesTheMenuWithoutACommand) {
    Click(u"btnMenu");
    ASSERT_EQ(uikit::MenuObserver().menus.size(), 1u);
    platform::SetFocus(uikit::MenuObserver().menus.front()->GetHWND());
    hl::KeyDown(platform::VK_ESCAPE);
    platform::ProcessPendingMessages();
    EXPECT_TRUE(uikit::MenuObserver().menus.empty());
    EXPECT_TRUE(window_->commands.empty());
}

TEST_F(MainWindow, ClickingOutsideTheMenuClosesItWithoutACommand) {
    Click(u"btnMenu");
    ASSERT_EQ(uikit::MenuObserver().menus.size(), 1u);
    const platform::Rect main = platform::GetWindowRect(hwnd_);
    hl::Click(main.left + 600, main.top + 400);
    platform::ProcessPendingMessages();
    EXPECT_TRUE(uikit::MenuObserver().menus.empty());
    EXPECT_TRUE(window_->commands.empty());
    EXPECT_TRUE(StillRunning());
}

// Counts the "timer" notifications of the window's controls by local id.
class TimerRecorder : public uikit::INotifyUI {
  public:
    void Notify(uikit::NotifyRecordUI& msg) override {
        if (msg.type == u"timer") {
            ids.push_back(static_cast<int>(msg.wParam));
        }
    }
    std::vector<int> ids;
};

TEST_F(MainWindow, PollTimerIdNeverReachesTheControlsEvenWhenAControlTimerWrappedOntoIt) {
    // Ticks come only when the test fires them.
    constexpr int kHour = 3600 * 1000;
    TimerRecorder recorder;
    window_->Manager().AddNotifier(&recorder);
    CControlUI* title = Find(u"title");
    for (int local = 1; local <= 240; ++local) {
        ASSERT_TRUE(window_->Manager().SetTimer(title, local, kHour));
    }
    EXPECT_EQ(window_->Manager().Timers().Find(title, 1)->nativeId, 17);
    EXPECT_EQ(window_->Manager().Timers().Find(title, 240)->nativeId, 1);

    ASSERT_TRUE(hl::FireTimer(hwnd_, 1));
    EXPECT_TRUE(recorder.ids.empty());
    // A tick that found no download stops the poll timer.
    EXPECT_FALSE(hl::FireTimer(hwnd_, 1));
    ASSERT_TRUE(hl::FireTimer(hwnd_, 17));
    EXPECT_EQ(recorder.ids, std::vector<int>{1});
    EXPECT_FALSE(window_->Downloads().PollTimerArmed());
    window_->Manager().RemoveNotifier(&recorder);
}

}  // namespace

namespace {

TEST_F(MainWindow, ShadowFramesTheWindowAndFollowsItThroughMoveMinimiseAndRestore) {
    ASSERT_NE(window_->Shadow(), nullptr);
    const platform::WindowId shadow = window_->Shadow()->GetWindow();
    const auto expected = [this] {
        const platform::Rect host = platform::GetWindowRect(hwnd_);
        return platform::Rect{host.left - 14, host.top - 14, host.right + 14, host.bottom + 14};
    };
    EXPECT_EQ(platform::GetWindowRect(shadow), expected());
    EXPECT_TRUE(platform::IsWindowVisible(shadow));
    hl::Bitmap frame;
    ASSERT_TRUE(hl::LastPresented(shadow, frame));
    EXPECT_EQ(frame.width, 1024 + 28);
    EXPECT_NE(frame.At(12, 300) >> 24, 0u);  // the shadow darkens towards the window
    // It fades over its whole width rather than showing a narrow band at the window's edge.
    EXPECT_NE(frame.At(2, 300) >> 24, 0u);
    for (int x = 1; x < 14; ++x) {
        EXPECT_GE(frame.At(x, 300) >> 24, frame.At(x - 1, 300) >> 24) << x;
        EXPECT_LE((frame.At(x, 300) >> 24) - (frame.At(x - 1, 300) >> 24), 24u) << x;
    }
    EXPECT_EQ(frame.At(500, 300) >> 24, 0u);  // the centre is left to the window

    platform::MoveWindowTo(hwnd_, 100, 80);
    EXPECT_EQ(platform::GetWindowRect(shadow), expected());
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Minimize);
    EXPECT_FALSE(platform::IsWindowVisible(shadow));
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Restore);
    EXPECT_TRUE(platform::IsWindowVisible(shadow));
    EXPECT_EQ(platform::GetWindowRect(shadow), expected());
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Hide);
    EXPECT_FALSE(platform::IsWindowVisible(shadow));

    platform::DestroyNativeWindow(hwnd_);
    EXPECT_FALSE(platform::IsWindow(shadow));
    platform::RunMessageLoop();
}

}  // namespace
