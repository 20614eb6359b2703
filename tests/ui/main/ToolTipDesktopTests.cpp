#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "platform/MessageLoop.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "tests/ui/support/EngineDir.h"
#include "ui/main/MainWnd.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/ToolTipPainterUI.h"
#include "uikit/manager/ToolTipWindowUI.h"

namespace td = platform::testdisplay;

namespace {

// The program's windows on GTK, on a private X server of this test program.
class PrivateDisplay : public ::testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(display_.Start()) << "cannot start a virtual X server";
        ASSERT_TRUE(platform::SelectWindowSystem(platform::WindowSystemKind::Desktop));
        uikit::InitTextEngine();
        uikit::InstallLinkedSkin();
        ASSERT_FALSE(platform::GetWorkArea(0).IsEmpty()) << "GTK did not start";
    }
    void TearDown() override { display_.Stop(); }

  private:
    td::VirtualDisplay display_;
};

const auto* const kDisplay = ::testing::AddGlobalTestEnvironment(new PrivateDisplay);

bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        platform::RunMessageLoopFor(10);
    }
    return true;
}

uint32_t ScreenPixel(int x, int y) {
    uint32_t rgb = 0xFFFFFFFF;
    td::ReadScreenPixel(x, y, rgb);
    return rgb;
}

TEST(DesktopToolTip, TheCloseButtonsTipIsOnTheScreenBelowThePointerAndGoesWhenItLeaves) {
    AppContext context;
    UseBuiltEngine(context);
    CMainWnd window(context, MainPagesFactory{});
    ASSERT_TRUE(window.CreateMain(platform::kStylePopup | platform::kStyleVisible));
    const platform::WindowId hwnd = window.GetHWND();
    window.CenterWindow();
    const platform::Rect frame = platform::GetWindowRect(hwnd);
    // The white head row is on the screen once the window has painted.
    ASSERT_TRUE(
        RunUntil([&] { return ScreenPixel(frame.left + 500, frame.top + 25) == 0xFFFFFF; }));

    uikit::CControlUI* close = window.Manager().FindControl(u"closeBtn");
    ASSERT_NE(close, nullptr);
    const uikit::Rect pos = close->GetPos();
    const platform::Point at{frame.left + (pos.left + pos.right) / 2,
                             frame.top + (pos.top + pos.bottom) / 2};
    ASSERT_TRUE(td::MovePointerTo(at.x - 3, at.y));
    ASSERT_TRUE(td::MovePointerTo(at.x, at.y));
    const auto shown = [&] {
        const uikit::CToolTipWindowUI* tip = window.Manager().GetToolTipWindow();
        return tip != nullptr && tip->IsShown();
    };
    ASSERT_TRUE(RunUntil(shown)) << "no tip after resting on the close button";
    const uikit::CToolTipWindowUI* tip = window.Manager().GetToolTipWindow();
    EXPECT_EQ(tip->GetText(), u"关闭");
    const platform::Rect rc = platform::GetWindowRect(tip->GetWindow());
    EXPECT_GT(rc.top, at.y);

    const auto onScreen = [&] {
        return ScreenPixel(rc.left, rc.top) == (uikit::kToolTipBorder & 0xFFFFFF) &&
               ScreenPixel(rc.right - 1, rc.bottom - 1) == (uikit::kToolTipBorder & 0xFFFFFF) &&
               ScreenPixel(rc.left + 1, rc.top + rc.Height() / 2) ==
                   (uikit::kToolTipBackground & 0xFFFFFF);
    };
    ASSERT_TRUE(RunUntil(onScreen)) << std::hex << ScreenPixel(rc.left, rc.top) << " "
                                    << ScreenPixel(rc.left + 1, rc.top + rc.Height() / 2);
    int dark = 0;
    for (int y = rc.top + 2; y < rc.bottom - 2; ++y) {
        for (int x = rc.left + 2; x < rc.right - 2; ++x) {
            dark += (ScreenPixel(x, y) & 0xFF) < 0x70 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20) << "the tip's text is on the screen";
    // A window manager would not place or decorate it; the main window it does manage.
    bool unmanaged = false;
    ASSERT_TRUE(td::TopWindowAtIsUnmanaged(rc.left + 2, rc.top + 2, unmanaged));
    EXPECT_TRUE(unmanaged);
    ASSERT_TRUE(td::TopWindowAtIsUnmanaged(frame.left + 500, frame.top + 25, unmanaged));
    EXPECT_FALSE(unmanaged);

    // Off the window: the tip goes from the screen too.
    ASSERT_TRUE(td::MovePointerTo(frame.left + 300, frame.bottom + 100));
    ASSERT_TRUE(RunUntil([&] { return !shown(); }));
    EXPECT_TRUE(RunUntil([&] { return !onScreen(); }));

    platform::DestroyNativeWindow(hwnd);
    platform::RunMessageLoop();  // the main window's end posts the quit message
}

}  // namespace
