#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/WorkerJob.h"
#include "platform/headless/HeadlessInput.h"
#include "tests/support/TestServer.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/CatalogPages.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ContainerUI.h"

namespace {

using Clock = std::chrono::steady_clock;

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

    // Handles messages until `done` holds; gives up after a deadline that only a fault reaches.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (!done() && Clock::now() < deadline) {
            platform::ProcessPendingMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return done();
    }

    AppContext& context_ = ProcessContext();
    std::unique_ptr<CMainWnd> window_;
};

TEST_F(StartupPages, ACatalogueAnsweredBeforeTheWindowExistsStillFillsTheLibrary) {
    TestServer server;
    context_.baseUrl = server.baseUrl();
    WorkerJob job{&context_, &ProcessCatalog()};
    std::thread worker(LoadCatalog, &job);
    const auto loaded = Clock::now() + std::chrono::seconds(20);
    while (ProcessCatalog().empty() && Clock::now() < loaded) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_FALSE(ProcessCatalog().empty());
    // The worker now waits for the window, which comes two seconds later.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    OpenMainWindow();
    EXPECT_TRUE(PumpUntil([&] { return TileCount() == 10; })) << TileCount() << " tiles";
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
    for (int i = 0; i < 20; ++i) {
        platform::ProcessPendingMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(TileCount(), 0);
    window_->SelectPage(5);
    platform::ProcessPendingMessages();
    EXPECT_TRUE(window_->Manager().FindControl(u"NoContent2")->IsVisible()) << "暂无内容 stays";
    EXPECT_EQ(platform::headless::LastMessageBoxText(), before);
}

}  // namespace
