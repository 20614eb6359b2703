#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "api/ApiClient.h"
#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "context/AppContext.h"
#include "platform/WindowPost.h"
#include "platform/WindowSystem.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestServer.h"
#include "ui/items/ItemSupport.h"
#include "ui/main/CatalogPages.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/WindowManagerUI.h"

// A control of an item, found inside the item: every item repeats its markup's names.
inline uikit::CControlUI* Inside(uikit::CControlUI* item, std::u16string_view name) {
    return FindInItem(*item, name);
}

// The main window's tree built from the real skin on the headless platform, without the main
// window itself: the pages are handed its manager exactly as the main window hands them its own.
// Messages the tiles post arrive in `posted`.
class PagesTest : public ::testing::Test {
  protected:
    static constexpr platform::WindowId kWindow = 0x7E57;
    static constexpr uikit::Size kClient{1024, 720};

    static void SetUpTestSuite() {
        uikit::InitTextEngine();
        ASSERT_TRUE(uikit::InstallLinkedSkin());
        ASSERT_TRUE(platform::UseHeadless());
        ASSERT_TRUE(InitHttpLibrary());
    }

    void SetUp() override {
        platform::RegisterMessageSink(kWindow, [this](const platform::PostedMessage& m) {
            std::lock_guard guard(postedLock_);
            posted.push_back(m);
        });
        manager = std::make_unique<uikit::CWindowManagerUI>(uikit::SkinArchive::Instance());
        manager->Init(kWindow);
        uikit::CControlUI* root =
            uikit::CMarkupBuilderUI().Create(u"MainWnd.xml", {}, nullptr, manager.get());
        ASSERT_NE(root, nullptr);
        manager->OnSize(kClient);
        manager->AttachDialog(root);
        manager->LayoutIfNeeded();
        pages = std::make_unique<CatalogPages>(*manager, catalog, orders);
    }

    void TearDown() override {
        pages.reset();
        manager.reset();
        platform::UnregisterMessageSink(kWindow);
    }

    // The demo data of the server, copied so a test can change it.
    static std::unique_ptr<TempDir> CopyOfDemoData() {
        auto data = std::make_unique<TempDir>();
        std::filesystem::copy(KAVRIN_DEMO_DATA, data->path(),
                              std::filesystem::copy_options::recursive);
        return data;
    }

    void LoadCatalog(const TestServer& server) {
        context.baseUrl = server.baseUrl();
        context.publicKeyPem = ProcessContext().publicKeyPem;
        ASSERT_TRUE(FetchCatalog(ApiClient(context), 140, catalog));
    }

    void LoadOrders(const TestServer& server, const std::string& clientId) {
        context.baseUrl = server.baseUrl();
        context.publicKeyPem = ProcessContext().publicKeyPem;
        ASSERT_TRUE(FetchOrders(ApiClient(context), clientId, 140, orders));
    }

    template <typename T = uikit::CControlUI>
    T* Find(std::u16string_view name) const {
        return static_cast<T*>(manager->FindControl(name));
    }
    uikit::CContainerUI* Container(std::u16string_view name) const {
        uikit::CControlUI* control = Find(name);
        return control != nullptr
                   ? static_cast<uikit::CContainerUI*>(control->GetInterface(u"Container"))
                   : nullptr;
    }

    static uikit::Point Centre(const uikit::CControlUI* control) {
        const uikit::Rect& rc = control->GetPos();
        return uikit::Point{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    std::vector<platform::PostedMessage> Posted() {
        std::lock_guard guard(postedLock_);
        return posted;
    }

    std::unique_ptr<uikit::Canvas> Render() {
        manager->LayoutIfNeeded();
        auto canvas = std::make_unique<uikit::Canvas>(kClient.cx, kClient.cy);
        canvas->Clear(0);
        manager->Paint(*canvas);
        return canvas;
    }

    // Writes KAVRIN_PREVIEW_DIR/NAME.png for a person to look at.
    static void WritePagePreview(const uikit::Canvas& shot, const std::string& name) {
        std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
        EXPECT_TRUE(shot.WritePng(std::string(KAVRIN_PREVIEW_DIR) + "/" + name + ".png"));
    }

    AppContext context;
    GameCatalog catalog;
    OrdersList orders;
    std::unique_ptr<uikit::CWindowManagerUI> manager;
    std::unique_ptr<CatalogPages> pages;
    std::vector<platform::PostedMessage> posted;

  private:
    std::mutex postedLock_;
};
