#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/WorkerJob.h"
#include "platform/headless/HeadlessInput.h"
#include "tests/support/Poll.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ContainerUI.h"

namespace {

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

    int TileCount() {
        auto* tiles = static_cast<uikit::CContainerUI*>(
            window_->Manager().FindControl(u"gameTileLayout")->GetInterface(u"Container"));
        return tiles != nullptr ? tiles->GetCount() : -1;
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
    ASSERT_TRUE(PollUntil([] { return !ProcessCatalog().empty(); }));
    // The worker now waits for the window, which deliberately comes two seconds later: long
    // enough for several of its looks at the context to find no window.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    OpenMainWindow();
    // One tile per game of the demo catalogue.
    EXPECT_TRUE(PumpUntil([&] { return TileCount() == 9; })) << TileCount() << " tiles";
    worker.join();
}

TEST_F(StartupPages, AFailedCallLeavesThePagesEmptyWithoutAMessage) {
    context_.baseUrl = "https://127.0.0.1:1/";
    const std::string before = platform::headless::LastMessageBoxText();
    OpenMainWindow();
    WorkerJob catalogJob{&context_, &ProcessCatalog()};
    WorkerJob ordersJob{&context_, &ProcessOrders()};
    std::thread catalog(LoadCatalog, &catalogJob);
    std::thread orders(LoadOrders, &ordersJob);
    catalog.join();
    orders.join();
    // Both workers have ended, so whatever they posted is already in the queue.
    platform::ProcessPendingMessages();
    EXPECT_EQ(TileCount(), 0);
    window_->SelectPage(5);
    platform::ProcessPendingMessages();
    EXPECT_TRUE(window_->Manager().FindControl(u"NoContent2")->IsVisible()) << "暂无内容 stays";
    EXPECT_EQ(platform::headless::LastMessageBoxText(), before);
}

}  // namespace
