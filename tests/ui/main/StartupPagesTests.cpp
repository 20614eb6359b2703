#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/WorkerJob.h"
#include "platform/headless/HeadlessInput.h"
#include "tests/support/Poll.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ContainerUI.h"

namespace {

bool ServerAnsweredCatalogue(const TestServer& server) {
    for (const std::string& line : server.Log()) {
        if (line.find("gameInfoData") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The start-up workers and the real main window with its real pages, as the program runs them,
// against a kavrin-server of the test's own.
class StartupPages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InitHttpLibrary()); }

    void SetUp() override {
        PrepareWindows();
        UseBuiltEngine(context_);
        context_.softId = 140;
        context_.clientId = "AAAAAAAAAAAAAAAA";
    }

    void TearDown() override {
        if (window_ && platform::IsWindow(window_->GetHWND())) {
            platform::DestroyNativeWindow(window_->GetHWND());
            platform::RunMessageLoop();
        }
        context_.mainWindow = 0;
    }

    void OpenMainWindow() {
        window_ = std::make_unique<CMainWnd>(context_, MakeCatalogPages);
        ASSERT_TRUE(window_->CreateMain(platform::kStylePopup | platform::kStyleVisible));
    }

    int RowCount(std::u16string_view name) {
        auto* rows = static_cast<uikit::CContainerUI*>(
            window_->Manager().FindControl(name)->GetInterface(u"Container"));
        return rows != nullptr ? rows->GetCount() : -1;
    }
    int TileCount() { return RowCount(u"gameTileLayout"); }

    bool Shown(std::u16string_view name) {
        const uikit::CControlUI* control = window_->Manager().FindControl(name);
        return control != nullptr && control->IsVisible();
    }

    // Starts a start-up worker as the program does; the test waits for its message, so no
    // worker outlives the test.
    void StartWorker(WorkerRoutine routine, void* target) {
        StartWorkerThread(routine, WorkerJob{&context_, target});
    }

    // A person's click on a control of the main window, laid out and drawn as it is on screen.
    void ClickOn(std::u16string_view name) {
        platform::ProcessPendingMessages();
        ClickControl(window_->GetHWND(), window_->Manager().FindControl(name));
    }

    void WriteWindowPreview(const std::string& name) {
        platform::ProcessPendingMessages();
        WriteScreenPreview("startup-" + name, platform::GetWindowRect(window_->GetHWND()),
                           {window_->GetHWND()});
    }

    // Handles messages until `done` holds: what the workers post only takes effect once the
    // window's queue is handled.
    template <typename Done>
    bool PumpUntil(Done done) {
        return PollUntil([&] {
            platform::ProcessPendingMessages();
            return done();
        });
    }

    AppContext& context_ = ProcessContext();
    std::unique_ptr<CMainWnd> window_;
};

TEST_F(StartupPages, ACatalogueAnsweredBeforeTheWindowExistsStillFillsTheLibrary) {
    TestServer server;
    context_.baseUrl = server.baseUrl();
    WorkerJob job{&context_, &ProcessCatalog()};
    std::thread worker(LoadCatalog, &job);
    // The server's line for the call, not the catalogue itself: the worker is still filling the
    // catalogue, and only the message it posts hands it over to this thread.
    ASSERT_TRUE(PollUntil([&] { return ServerAnsweredCatalogue(server); }));
    // The worker now waits for the window, which deliberately comes two seconds later: long
    // enough for it to have read the answer and for several of its looks at the context to find
    // no window.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    OpenMainWindow();
    // One tile per game of the demo catalogue.
    EXPECT_TRUE(PumpUntil([&] { return TileCount() == 9; })) << TileCount() << " tiles";
    worker.join();
}

TEST_F(StartupPages, AFailedCallShowsTheOfflineNoticeOnItsPageAndNoMessageBox) {
    context_.baseUrl = "https://127.0.0.1:1/";
    const std::string before = platform::headless::LastMessageBoxText();
    OpenMainWindow();
    EXPECT_TRUE(Shown(u"libraryLoading")) << "the call runs from the start";
    WorkerJob catalogJob{&context_, &ProcessCatalog()};
    WorkerJob ordersJob{&context_, &ProcessOrders()};
    std::thread catalog(LoadCatalog, &catalogJob);
    std::thread orders(LoadOrders, &ordersJob);
    catalog.join();
    orders.join();
    // Both workers have ended, so whatever they posted is already in the queue.
    platform::ProcessPendingMessages();
    EXPECT_EQ(TileCount(), 0);
    EXPECT_FALSE(Shown(u"libraryLoading"));
    EXPECT_TRUE(Shown(u"libraryOffline"));
    EXPECT_TRUE(Shown(u"libraryRetryBtn"));
    window_->SelectPage(5);
    platform::ProcessPendingMessages();
    EXPECT_TRUE(Shown(u"ordersOffline"));
    EXPECT_FALSE(Shown(u"ordersLoading"));
    EXPECT_FALSE(Shown(u"NoContent2")) << "the server never said there are none";
    EXPECT_EQ(platform::headless::LastMessageBoxText(), before);
}

TEST_F(StartupPages, RetryWaitsOnAWorkerShowsLoadingAndFillsTheLibraryOnceTheServerAnswers) {
    ProcessCatalog().clear();
    std::string stoppedServer;
    {
        TestServer server;
        stoppedServer = server.baseUrl();
    }
    context_.baseUrl = stoppedServer;
    OpenMainWindow();
    StartWorker(LoadCatalog, &ProcessCatalog());
    ASSERT_TRUE(PumpUntil([&] { return Shown(u"libraryOffline"); }));

    // A server that holds the call for a while and then drops it: the click returns at once,
    // the page says it is loading meanwhile, and the failure comes back as the notice.
    {
        TestServer stalling({"--fault", "stall", "--stall-ms", "1500"});
        context_.baseUrl = stalling.baseUrl();
        const auto start = std::chrono::steady_clock::now();
        ClickOn(u"libraryRetryBtn");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000))
            << "the call ran on the UI thread";
        EXPECT_TRUE(Shown(u"libraryLoading"));
        EXPECT_FALSE(Shown(u"libraryOffline"));
        WriteWindowPreview("library-loading");
        ASSERT_TRUE(PumpUntil([&] { return Shown(u"libraryOffline"); }));
        EXPECT_FALSE(Shown(u"libraryLoading"));
        WriteWindowPreview("library-offline");
    }

    TestServer server;
    context_.baseUrl = server.baseUrl();
    ClickOn(u"libraryRetryBtn");
    ASSERT_TRUE(PumpUntil([&] { return TileCount() == 9; })) << TileCount() << " tiles";
    EXPECT_FALSE(Shown(u"libraryLoading"));
    EXPECT_FALSE(Shown(u"libraryOffline"));
    WriteWindowPreview("library-after-retry");
}

TEST_F(StartupPages, RetryOnTheOrdersPageBringsTheRowsOrTheEmptyNotice) {
    ProcessOrders().clear();
    context_.baseUrl = "https://127.0.0.1:1/";
    OpenMainWindow();
    window_->SelectPage(CMainWnd::kOrdersPage);
    EXPECT_TRUE(Shown(u"ordersLoading"));
    EXPECT_FALSE(Shown(u"NoContent2"));
    StartWorker(LoadOrders, &ProcessOrders());
    ASSERT_TRUE(PumpUntil([&] { return Shown(u"ordersOffline"); }));
    WriteWindowPreview("orders-offline");

    TestServer server;
    context_.baseUrl = server.baseUrl();
    ClickOn(u"ordersRetryBtn");
    EXPECT_TRUE(Shown(u"ordersLoading"));
    ASSERT_TRUE(PumpUntil([&] { return RowCount(u"listOrder") == 3; }));
    EXPECT_FALSE(Shown(u"ordersLoading"));
    EXPECT_FALSE(Shown(u"ordersOffline"));
    EXPECT_FALSE(Shown(u"NoContent2"));
}

}  // namespace
