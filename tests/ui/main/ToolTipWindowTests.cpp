#include <algorithm>
#include <memory>
#include <string>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "tests/ui/support/EngineDir.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "tests/ui/support/ScreenPreview.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/main/MainWnd.h"
#include "ui/windows/MessageWnd.h"
#include "uikit/manager/ToolTipPainterUI.h"
#include "uikit/manager/ToolTipWindowUI.h"
#include "uikit/window/WindowImplBase.h"

namespace hl = platform::headless;
using uikit::CControlUI;
using uikit::CToolTipWindowUI;
using uikit::CWindowManagerUI;

namespace {

const platform::Rect kScreen{0, 0, hl::kScreenWidth, hl::kScreenHeight};

bool Inside(const platform::Rect& inner, const platform::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

const CToolTipWindowUI* ShownTip(const CWindowManagerUI& manager) {
    const CToolTipWindowUI* tip = manager.GetToolTipWindow();
    return tip != nullptr && tip->IsShown() ? tip : nullptr;
}

platform::Rect TipRect(const CWindowManagerUI& manager) {
    return platform::GetWindowRect(manager.GetToolTipWindow()->GetWindow());
}

// Puts the pointer on the control and lets it rest there longer than the hover delay, with the
// message loop running, as a person waiting for the tip would.
platform::Point RestOn(platform::WindowId window, const CControlUI* control) {
    const platform::Point at = ControlCentre(window, *control);
    hl::MouseMove(at.x, at.y);
    platform::RunMessageLoopFor(600);
    return at;
}

// The corner of the screen around the tip: the window with the tip over it.
void WritePreview(platform::WindowId window, platform::WindowId tip, const std::string& name) {
    const platform::Rect t = platform::GetWindowRect(tip);
    WriteScreenPreview(
        name,
        platform::Rect{t.left - 120, t.top - 50, std::max(t.left + 120, t.right + 10),
                       std::max(t.top + 70, t.bottom + 10)},
        {window, tip});
}

class MainWindowTips : public ::testing::Test {
  protected:
    void SetUp() override {
        PrepareWindows();
        hl::MouseMove(1, 1);  // wherever the last test left the pointer, it is not on us
        UseBuiltEngine(context_);
        window_ = std::make_unique<CMainWnd>(context_, MainPagesFactory{});
        ShowMainWindow(*window_);
        hwnd_ = window_->GetHWND();
    }
    void TearDown() override {
        hl::MouseMove(1, 1);
        EndMainWindow(hwnd_);
    }

    CControlUI* Find(std::u16string_view name) { return window_->Manager().FindControl(name); }
    platform::Point RestOn(std::u16string_view name) { return ::RestOn(hwnd_, Find(name)); }
    const CToolTipWindowUI* Tip() { return ShownTip(window_->Manager()); }
    platform::Rect TipRect() { return ::TipRect(window_->Manager()); }

    AppContext context_;
    std::unique_ptr<CMainWnd> window_;
    platform::WindowId hwnd_ = 0;
};

TEST_F(MainWindowTips, RestingOnTheCloseButtonShowsItsTipBelowRightOfThePointer) {
    const platform::WindowId focusBefore = platform::GetFocus();
    const platform::Point pointer = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetText(), u"关闭");
    const platform::WindowId tip = Tip()->GetWindow();
    EXPECT_EQ(platform::GetOwner(tip), hwnd_);
    for (const uint32_t flag :
         {platform::kStylePopup, platform::kStyleToolWindow, platform::kStyleTopMost,
          platform::kStyleNoActivate, platform::kStyleClickThrough, platform::kStyleToolTip}) {
        EXPECT_NE(platform::GetStyle(tip) & flag, 0u) << "style flag " << flag;
    }
    EXPECT_EQ(platform::GetFocus(), focusBefore);
    EXPECT_EQ(platform::GetForegroundWindow(), hwnd_);

    const platform::Rect rc = TipRect();
    EXPECT_GT(rc.left, pointer.x);
    EXPECT_GT(rc.top, pointer.y);
    EXPECT_LT(rc.top - pointer.y, 40);
    // Two characters of the 13-pixel default font with a little room around them.
    EXPECT_GE(rc.Width(), 2 * 13 + 4);
    EXPECT_LE(rc.Width(), 2 * 13 + 24);
    EXPECT_GE(rc.Height(), 17);
    EXPECT_LE(rc.Height(), 34);

    hl::Bitmap shown;
    ASSERT_TRUE(hl::LastPresented(tip, shown));
    ASSERT_EQ(shown.width, rc.Width());
    EXPECT_EQ(shown.At(0, 0), uikit::kToolTipBorder);
    EXPECT_EQ(shown.At(rc.Width() - 1, rc.Height() - 1), uikit::kToolTipBorder);
    EXPECT_EQ(shown.At(1, rc.Height() / 2), uikit::kToolTipBackground);
    EXPECT_GT(std::ranges::count_if(shown.pixels, [](uint32_t p) { return (p & 0xFF) < 0x70; }), 20)
        << "the text is drawn";
    WritePreview(hwnd_, tip, "tooltip-main-close");
}

TEST_F(MainWindowTips, OnlyControlsWithATipShowOneAndMovingOnHidesIt) {
    RestOn(u"btnMenu");
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId first = Tip()->GetWindow();

    const platform::Point minimise = ControlCentre(hwnd_, *Find(u"minBtn"));
    hl::MouseMove(minimise.x, minimise.y);
    EXPECT_EQ(Tip(), nullptr);
    platform::RunMessageLoopFor(600);
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetText(), u"最小化");
    EXPECT_EQ(Tip()->GetWindow(), first) << "one tip window per window";

    RestOn(u"btnMenu");
    EXPECT_EQ(Tip(), nullptr);
}

TEST_F(MainWindowTips, LeavingPressingMinimisingOrHidingTheWindowHidesTheTip) {
    const platform::Rect frame = platform::GetWindowRect(hwnd_);
    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::MouseMove(frame.right + 40, frame.top + 25);
    EXPECT_EQ(Tip(), nullptr) << "left the window";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::MouseDown(at.x, at.y, hl::Button::Right);
    hl::MouseUp(at.x, at.y, hl::Button::Right);
    EXPECT_EQ(Tip(), nullptr) << "right press";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::MouseDown(at.x, at.y);
    EXPECT_EQ(Tip(), nullptr) << "left press";
    hl::MouseMove(at.x + 1, at.y);
    platform::RunMessageLoopFor(600);
    EXPECT_EQ(Tip(), nullptr) << "resting with the button held";
    hl::MouseUp(frame.left + 500, frame.top + 300);  // released away: no click, no quit
    platform::ProcessPendingMessages();

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::KeyDown(platform::VK_SHIFT);
    hl::KeyUp(platform::VK_SHIFT);
    EXPECT_EQ(Tip(), nullptr) << "key press";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    hl::Wheel(at.x, at.y, -1);
    EXPECT_EQ(Tip(), nullptr) << "wheel";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId tip = Tip()->GetWindow();
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Minimize);
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Restore);
    platform::ProcessPendingMessages();
    EXPECT_FALSE(platform::IsWindowVisible(tip)) << "came back with its restored window";

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Hide);
    EXPECT_FALSE(platform::IsWindowVisible(tip)) << "stayed over a hidden window";
}

TEST_F(MainWindowTips, NoTipStandsOverTheQuitConfirmation) {
    // Resting first: the tip shows, then the close request opens the confirmation over it.
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId tip = Tip()->GetWindow();
    bool hiddenWhileOpen = false;
    QueuedAction person;
    platform::PostWindowMessage(hwnd_, platform::WM_CLOSE, 0, 0);
    person.Post([&] {
        ASSERT_NE(window_->OpenConfirmation(), nullptr);
        hiddenWhileOpen = !platform::IsWindowVisible(tip);
        ClickInDialog(window_->OpenConfirmation()->GetHWND(),
                      window_->OpenConfirmation()->Manager().FindControl(u"btn_cancel"));
    });
    platform::ProcessPendingMessages();
    EXPECT_TRUE(hiddenWhileOpen) << "the tip stayed over the confirmation";

    // A quick click: the pointer had only just arrived, so the hover delay runs out while the
    // confirmation is open, over a window that is disabled behind it.
    hl::MouseMove(1, 1);
    const platform::Point close = ControlCentre(hwnd_, *Find(u"closeBtn"));
    bool tipWhileOpen = true;
    person.Post([&] {
        ASSERT_NE(window_->OpenConfirmation(), nullptr);
        platform::RunMessageLoopFor(700);
        tipWhileOpen = Tip() != nullptr;
        if (Tip() != nullptr) {
            WritePreview(hwnd_, Tip()->GetWindow(), "tooltip-over-confirmation");
        }
        ClickInDialog(window_->OpenConfirmation()->GetHWND(),
                      window_->OpenConfirmation()->Manager().FindControl(u"btn_cancel"));
    });
    hl::MouseMove(close.x, close.y);
    hl::Click(close.x, close.y);
    platform::ProcessPendingMessages();
    EXPECT_FALSE(tipWhileOpen) << "the hover delay ran out over the open confirmation";
    EXPECT_EQ(window_->OpenConfirmation(), nullptr);
}

TEST_F(MainWindowTips, TheTipGoesWithTheWindowsFocusOrWhenTheWindowIsDisabled) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    platform::EnableWindow(hwnd_, false);
    EXPECT_EQ(Tip(), nullptr) << "disabled";
    platform::EnableWindow(hwnd_, true);

    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    // Another program's window comes to the front: this one loses the focus.
    platform::WindowParams params;
    params.className = "OtherProgram";
    params.style = platform::kStylePopup | platform::kStyleVisible;
    params.rect = platform::Rect{0, 0, 100, 100};
    params.proc = [](platform::WindowId window, uint32_t message, uintptr_t wParam,
                     intptr_t lParam) {
        return platform::DefaultWindowProc(window, message, wParam, lParam);
    };
    const platform::WindowId other = platform::CreateNativeWindow(params);
    platform::SetForegroundWindow(other);
    EXPECT_NE(platform::GetFocus(), hwnd_);
    EXPECT_EQ(Tip(), nullptr) << "focus went to another window";
    platform::DestroyNativeWindow(other);
}

TEST_F(MainWindowTips, AShownTipFollowsItsControlAndWrapsAtItsWidth) {
    CControlUI* close = Find(u"closeBtn");
    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::Rect before = TipRect();
    Find(u"minBtn")->SetToolTip(u"缩到任务栏");  // another control's tip changes nothing here
    close->SetToolTip(u"关闭主窗口会先询问是否退出；正在进行的下载会在下次启动时从中断的位置继续");
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tip()->GetText()[0], u'关');
    const platform::Rect wide = TipRect();
    const int chrome = 2 * (uikit::kToolTipBorderSize + uikit::kToolTipPaddingX);
    EXPECT_EQ(wide.left, before.left);
    EXPECT_LE(wide.Width(), 300 + chrome);
    EXPECT_GT(wide.Width(), 240);
    EXPECT_GE(wide.Height(), 2 * 17) << "wrapped to two lines at least";
    EXPECT_FALSE(wide.Contains(at));
    WritePreview(hwnd_, Tip()->GetWindow(), "tooltip-main-wrapped");

    close->SetToolTipWidth(120);
    EXPECT_LE(TipRect().Width(), 120 + chrome);
    EXPECT_GT(TipRect().Height(), wide.Height());

    // No width: only the text's own line breaks, but never wider than the screen.
    std::u16string endless;
    for (int i = 0; i < 12; ++i) {
        endless += u"关闭主窗口会先询问是否退出；正在进行的下载会在下次启动时继续。";
    }
    close->SetToolTipWidth(0);
    close->SetToolTip(endless);
    EXPECT_TRUE(Inside(TipRect(), kScreen));
    EXPECT_GT(TipRect().Width(), hl::kScreenWidth / 2);

    close->SetToolTip(u"");
    EXPECT_EQ(Tip(), nullptr);
}

TEST_F(MainWindowTips, NearTheScreensCornerTheTipStaysInsideAndOffThePointer) {
    platform::MoveWindowTo(hwnd_, hl::kScreenWidth - 1010, hl::kScreenHeight - 45);
    platform::ProcessPendingMessages();
    const platform::Point at = RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    EXPECT_TRUE(Inside(TipRect(), kScreen));
    EXPECT_LE(TipRect().bottom, at.y) << "no room below: above the pointer";
}

TEST_F(MainWindowTips, TheCloseStepAndTheWindowsEndDestroyTheTip) {
    RestOn(u"closeBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId first = Tip()->GetWindow();
    intptr_t result = 0;
    window_->Manager().MessageHandler(platform::WM_CLOSE, 0, 0, result);
    EXPECT_FALSE(platform::IsWindow(first));
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);

    RestOn(u"minBtn");
    ASSERT_NE(Tip(), nullptr);
    const platform::WindowId second = Tip()->GetWindow();
    platform::DestroyNativeWindow(hwnd_);
    EXPECT_FALSE(platform::IsWindow(second));
    EXPECT_EQ(window_->Manager().GetToolTipWindow(), nullptr);
}

class SettingPathDialog : public uikit::WindowImplBase {
  protected:
    std::u16string GetSkinFile() const override { return u"SettingPathWnd.xml"; }
    std::string GetWindowClassName() const override { return "SettingPathWnd"; }
};

TEST(DialogTips, TheSettingsDialogsButtonsShowTheirTipsUntilTheDialogCloses) {
    PrepareWindows();
    SettingPathDialog dialog;
    ASSERT_NE(dialog.Create(0, "settings", platform::kStylePopup | platform::kStyleVisible), 0u);
    dialog.CenterWindow();
    platform::ProcessPendingMessages();
    CWindowManagerUI& manager = dialog.Manager();
    RestOn(dialog.GetHWND(), manager.FindControl(u"btnChangePath"));
    ASSERT_NE(ShownTip(manager), nullptr);
    EXPECT_EQ(ShownTip(manager)->GetText(), u"更改路径");
    RestOn(dialog.GetHWND(), manager.FindControl(u"closebtn"));
    ASSERT_NE(ShownTip(manager), nullptr);
    EXPECT_EQ(ShownTip(manager)->GetText(), u"关闭");

    const platform::WindowId tip = ShownTip(manager)->GetWindow();
    platform::SendWindowMessage(dialog.GetHWND(), platform::WM_CLOSE, 0, 0);
    EXPECT_FALSE(platform::IsWindow(tip));
    hl::MouseMove(1, 1);
}

}  // namespace
