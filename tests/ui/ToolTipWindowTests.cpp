#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "tests/ui/UiFixture.h"
#include "ui/MainWnd.h"
#include "uikit/Canvas.h"
#include "uikit/manager/ToolTipPainterUI.h"
#include "uikit/manager/ToolTipWindowUI.h"
#include "uikit/window/WindowImplBase.h"

namespace hl = platform::headless;
using uikit::CControlUI;
using uikit::CToolTipWindowUI;
using uikit::CWindowManagerUI;

namespace {

// Longer than the hover delay of the window manager, so a resting pointer surely got its tip.
constexpr uint32_t kRestMs = 600;

bool Inside(const platform::Rect& inner, const platform::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

const CToolTipWindowUI* ShownTip(const CWindowManagerUI& manager) {
    const CToolTipWindowUI* tip = manager.GetToolTipWindow();
    return tip != nullptr && tip->IsShown() ? tip : nullptr;
}

// Puts the pointer on the control and lets it rest there as long as a person waiting for the
// tip would, with the message loop running.
platform::Point RestOn(platform::WindowId window, const CControlUI* control) {
    EXPECT_NE(control, nullptr);
    if (control == nullptr) {
        return {};
    }
    const platform::Point at = ControlCentre(window, *control);
    hl::MouseMove(at.x, at.y);
    platform::RunMessageLoopFor(kRestMs);
    return at;
}

// The screen as a person sees it: the window with the tip over it, on a grey desktop.
void WritePreview(platform::WindowId window, const CToolTipWindowUI& tip, const std::string& name) {
    hl::Bitmap below;
    hl::Bitmap above;
    ASSERT_TRUE(hl::LastPresented(window, below));
    ASSERT_TRUE(hl::LastPresented(tip.GetWindow(), above));
    const platform::Rect w = platform::GetWindowRect(window);
    const platform::Rect t = platform::GetWindowRect(tip.GetWindow());
    const platform::Rect all{std::min(w.left, t.left), std::min(w.top, t.top),
                             std::max(w.right, t.right), std::max(w.bottom, t.bottom)};
    uikit::Canvas screen(all.Width(), all.Height());
    ASSERT_TRUE(screen.IsValid());
    screen.Clear(0xFF808890);
    for (const auto& [bitmap, rect] : {std::pair{&below, w}, {&above, t}}) {
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(bitmap->pixels.data()), CAIRO_FORMAT_ARGB32,
            bitmap->width, bitmap->height, bitmap->width * 4);
        cairo_set_source_surface(screen.Context(), surface, rect.left - all.left,
                                 rect.top - all.top);
        cairo_paint(screen.Context());
        cairo_surface_destroy(surface);
    }
    std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
    const std::string path = std::string(KAVRIN_PREVIEW_DIR) + "/" + name;
    EXPECT_TRUE(screen.WritePng(path + ".png"));
    // And the corner around the tip three times as large, to judge the pixels.
    constexpr int kZoom = 3;
    const int cropLeft = std::max(0, t.left - all.left - 120);
    const int cropTop = std::max(0, t.top - all.top - 60);
    uikit::Canvas detail(200 * kZoom, 110 * kZoom);
    detail.Clear(0xFF808890);
    cairo_scale(detail.Context(), kZoom, kZoom);
    cairo_set_source_surface(detail.Context(), screen.Surface(), -cropLeft, -cropTop);
    cairo_pattern_set_filter(cairo_get_source(detail.Context()), CAIRO_FILTER_NEAREST);
    cairo_paint(detail.Context());
    EXPECT_TRUE(detail.WritePng(path + "-zoom.png"));
}

class MainWindowTips : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        hl::MouseMove(1, 1);  // wherever the last test left the pointer, it is not on us
        window_ = std::make_unique<CMainWnd>(context_, MainPagesFactory{});
        ASSERT_TRUE(window_->CreateMain(platform::kStylePopup | platform::kStyleVisible));
        hwnd_ = window_->GetHWND();
        window_->CenterWindow();
        ASSERT_TRUE(platform::ProcessPendingMessages());
    }
    void TearDown() override {
        hl::MouseMove(1, 1);
        // The main window's end posts the quit message; it must not reach the next test.
        if (platform::IsWindow(hwnd_)) {
            platform::DestroyNativeWindow(hwnd_);
        }
        platform::RunMessageLoop();
    }

    CControlUI* Find(std::u16string_view name) { return window_->Manager().FindControl(name); }
    platform::Point RestOn(std::u16string_view name) { return ::RestOn(hwnd_, Find(name)); }
    const CToolTipWindowUI* Tip() { return ShownTip(window_->Manager()); }

    AppContext context_;
    std::unique_ptr<CMainWnd> window_;
    platform::WindowId hwnd_ = 0;
};

TEST_F(MainWindowTips, RestingOnTheCloseButtonShowsItsTipBelowRightOfThePointer) {
    const platform::WindowId focusBefore = platform::GetFocus();
    const platform::Point pointer = RestOn(u"closeBtn");
    const CToolTipWindowUI* tip = Tip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetText(), u"关闭");
    const platform::WindowId tipWindow = tip->GetWindow();
    EXPECT_EQ(platform::GetOwner(tipWindow), hwnd_);
    const uint32_t style = platform::GetStyle(tipWindow);
    for (const uint32_t flag :
         {platform::kStylePopup, platform::kStyleToolWindow, platform::kStyleTopMost,
          platform::kStyleNoActivate, platform::kStyleClickThrough, platform::kStyleToolTip}) {
        EXPECT_NE(style & flag, 0u) << "style flag " << flag;
    }
    // Showing the tip took neither the focus nor the pointer from the window.
    EXPECT_EQ(platform::GetFocus(), focusBefore);
    EXPECT_EQ(platform::GetForegroundWindow(), hwnd_);

    const platform::Rect rc = platform::GetWindowRect(tipWindow);
    EXPECT_GT(rc.left, pointer.x);
    EXPECT_GT(rc.top, pointer.y);
    EXPECT_LT(rc.top - pointer.y, 40);
    EXPECT_FALSE(rc.Contains(pointer));
    // Two characters of the 13-pixel default font with a little room, nothing like the
    // 300-pixel tooltip width.
    EXPECT_GE(rc.Width(), 2 * 13 + 4);
    EXPECT_LE(rc.Width(), 2 * 13 + 24);
    EXPECT_GE(rc.Height(), 17);
    EXPECT_LE(rc.Height(), 34);

    hl::Bitmap shown;
    ASSERT_TRUE(hl::LastPresented(tipWindow, shown));
    ASSERT_EQ(shown.width, rc.Width());
    ASSERT_EQ(shown.height, rc.Height());
    EXPECT_EQ(shown.At(0, 0), uikit::kToolTipBorder);
    EXPECT_EQ(shown.At(rc.Width() - 1, rc.Height() - 1), uikit::kToolTipBorder);
    EXPECT_EQ(shown.At(1, rc.Height() / 2), uikit::kToolTipBackground);
    const int darkPixels = static_cast<int>(
        std::ranges::count_if(shown.pixels, [](uint32_t pixel) { return (pixel & 0xFF) < 0x70; }));
    EXPECT_GT(darkPixels, 20) << "the tip's text is drawn";
    WritePreview(hwnd_, *tip, "tooltip-main-close");
}

TEST_F(MainWindowTips, AnotherControlHidesTheTipAndItsOwnRestReusesTheOneWindow) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId first = Tip()->GetWindow();

    const platform::Point minimise = ControlCentre(hwnd_, *Find(u"minBtn"));
    hl::MouseMove(minimise.x, minimise.y);
    EXPECT_EQ(Tip(), nullptr) << "the close button's tip went when the pointer moved on";
    platform::RunMessageLoopFor(kRestMs);
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetText(), u"最小化");
    EXPECT_EQ(Tip()->GetWindow(), first);
    EXPECT_GT(platform::GetWindowRect(first).left, minimise.x);

    // The menu button has no tip: resting on it shows nothing.
    RestOn(u"btnMenu");
    EXPECT_EQ(Tip(), nullptr);
    EXPECT_TRUE(window_->Manager().GetToolTip().text.empty());
}

TEST_F(MainWindowTips, AControlWithoutATipNeverMakesATipWindow) {
    RestOn(u"btnMenu");
    RestOn(u"title");
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
}

TEST_F(MainWindowTips, LeavingTheWindowOrPressingAButtonHidesTheTip) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect rc = platform::GetWindowRect(hwnd_);
    hl::MouseMove(rc.right + 40, rc.top + 25);
    platform::ProcessPendingMessages();
    EXPECT_EQ(Tip(), nullptr);

    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::MouseDown(at.x, at.y, hl::Button::Right);
    hl::MouseUp(at.x, at.y, hl::Button::Right);
    EXPECT_EQ(Tip(), nullptr);

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    // A left press hides it too; released away from the button, nothing is clicked.
    hl::MouseDown(at.x, at.y);
    EXPECT_EQ(Tip(), nullptr);
    hl::MouseUp(rc.left + 500, rc.top + 300);
    platform::ProcessPendingMessages();
    EXPECT_EQ(Tip(), nullptr);
    EXPECT_EQ(window_->OpenConfirmation(), nullptr);
}

TEST_F(MainWindowTips, TheTipFollowsItsControlsTooltipWhileShown) {
    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect before = platform::GetWindowRect(Tip()->GetWindow());
    Find(u"closeBtn")->SetToolTip(u"关闭窗口并退出程序");
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetText(), u"关闭窗口并退出程序");
    const platform::Rect after = platform::GetWindowRect(Tip()->GetWindow());
    EXPECT_GT(after.Width(), before.Width() + 4 * 13);
    EXPECT_FALSE(after.Contains(at));
    hl::Bitmap shown;
    ASSERT_TRUE(hl::LastPresented(Tip()->GetWindow(), shown));
    EXPECT_EQ(shown.width, after.Width());

    // Another control's tip changing leaves this one alone.
    Find(u"minBtn")->SetToolTip(u"缩到任务栏");
    EXPECT_EQ(Tip()->GetText(), u"关闭窗口并退出程序");

    Find(u"closeBtn")->SetToolTip(u"");
    EXPECT_EQ(Tip(), nullptr);
}

TEST_F(MainWindowTips, ALongTipWrapsAtItsTooltipWidth) {
    CControlUI* close = Find(u"closeBtn");
    close->SetToolTip(u"关闭主窗口会先询问是否退出；正在进行的下载会在下次启动时从中断的位置继续");
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect wide = platform::GetWindowRect(Tip()->GetWindow());
    const int chrome = 2 * (uikit::kToolTipBorderSize + uikit::kToolTipPaddingX);
    EXPECT_LE(wide.Width(), 300 + chrome);
    EXPECT_GT(wide.Width(), 240);
    EXPECT_GE(wide.Height(), 2 * 17) << "two lines at least";

    close->SetToolTipWidth(120);
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect narrow = platform::GetWindowRect(Tip()->GetWindow());
    EXPECT_LE(narrow.Width(), 120 + chrome);
    EXPECT_GT(narrow.Height(), wide.Height());
    EXPECT_TRUE(Inside(narrow, platform::Rect{0, 0, hl::kScreenWidth, hl::kScreenHeight}));

    // No width at all: the text's own line breaks only, but never wider than the screen.
    std::u16string endless;
    for (int i = 0; i < 12; ++i) {
        endless += u"关闭主窗口会先询问是否退出；正在进行的下载会在下次启动时继续。";
    }
    close->SetToolTipWidth(0);
    close->SetToolTip(endless);
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect endlessRc = platform::GetWindowRect(Tip()->GetWindow());
    EXPECT_TRUE(Inside(endlessRc, platform::Rect{0, 0, hl::kScreenWidth, hl::kScreenHeight}));
    EXPECT_GT(endlessRc.Width(), hl::kScreenWidth / 2);
    EXPECT_GE(endlessRc.Height(), 2 * 17);
}

TEST_F(MainWindowTips, NearTheScreensCornerTheTipStaysInsideAndOffThePointer) {
    // The window pushed right and down until its head row is at the screen's bottom edge.
    platform::MoveWindowTo(hwnd_, hl::kScreenWidth - 1010, hl::kScreenHeight - 45);
    platform::ProcessPendingMessages();
    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect rc = platform::GetWindowRect(Tip()->GetWindow());
    EXPECT_TRUE(Inside(rc, platform::Rect{0, 0, hl::kScreenWidth, hl::kScreenHeight}));
    EXPECT_LE(rc.bottom, at.y) << "no room below: the tip goes above the pointer";
}

TEST_F(MainWindowTips, TheManagersCloseStepDestroysTheTipWindow) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId tipWindow = Tip()->GetWindow();
    intptr_t result = 0;
    window_->Manager().MessageHandler(platform::WM_CLOSE, 0, 0, result);
    EXPECT_FALSE(platform::IsWindow(tipWindow));
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
    EXPECT_TRUE(platform::IsWindow(hwnd_));
}

TEST_F(MainWindowTips, TheTipGoesWithTheWindow) {
    RestOn(u"minBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId tipWindow = Tip()->GetWindow();
    platform::DestroyNativeWindow(hwnd_);
    EXPECT_FALSE(platform::IsWindow(tipWindow));
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
    // A tip asked for after the window went makes no window of its own.
    Find(u"minBtn")->SetToolTip(u"最小化窗口");
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
}

TEST_F(MainWindowTips, MinimisingOrHidingTheWindowTakesTheTipAlongForGood) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId tipWindow = Tip()->GetWindow();
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Minimize);
    EXPECT_FALSE(platform::IsWindowVisible(tipWindow));
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Restore);
    platform::ProcessPendingMessages();
    EXPECT_FALSE(platform::IsWindowVisible(tipWindow)) << "a stale tip came back";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Hide);
    EXPECT_FALSE(platform::IsWindowVisible(tipWindow)) << "a tip over a hidden window";
}

// The settings dialog, as any skinned dialog builds it.
class SettingPathDialog : public uikit::WindowImplBase {
  protected:
    std::u16string GetSkinFile() const override { return u"SettingPathWnd.xml"; }
    std::string GetWindowClassName() const override { return "SettingPathWnd"; }
};

TEST(DialogTips, TheSettingsDialogsPathButtonsShowTheirTipUntilTheDialogCloses) {
    PrepareWindows();
    SettingPathDialog dialog;
    ASSERT_NE(dialog.Create(0, "settings", platform::kStylePopup | platform::kStyleVisible), 0u);
    dialog.CenterWindow();
    platform::ProcessPendingMessages();
    const platform::WindowId window = dialog.GetHWND();
    CWindowManagerUI& manager = dialog.Manager();

    RestOn(window, manager.FindControl(u"btnChangePath"));
    ASSERT_NE(ShownTip(manager), nullptr);
    EXPECT_EQ(ShownTip(manager)->GetText(), u"更改路径");
    RestOn(window, manager.FindControl(u"closebtn"));
    ASSERT_NE(ShownTip(manager), nullptr);
    EXPECT_EQ(ShownTip(manager)->GetText(), u"关闭");
    WritePreview(window, *ShownTip(manager), "tooltip-settings-close");

    const platform::WindowId tipWindow = ShownTip(manager)->GetWindow();
    platform::SendWindowMessage(window, platform::WM_CLOSE, 0, 0);
    EXPECT_FALSE(platform::IsWindow(tipWindow));
    EXPECT_FALSE(platform::IsWindow(window));
    hl::MouseMove(1, 1);
}

}  // namespace
