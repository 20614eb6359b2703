#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "platform/WindowRegion.h"
#include "platform/WindowSystem.h"
#include "platform/headless/HeadlessInput.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/window/ShadowUI.h"
#include "uikit/window/WindowImplBase.h"

namespace hl = platform::headless;
using platform::Rect;

namespace {

// A title bar with the frame's buttons over a plain body. The shadow image is not in any
// archive, so the shadow window exists but stays empty.
std::u16string Markup(std::u16string_view windowAttributes) {
    return u"<Window size=\"400,300\" caption=\"0,0,0,30\" sizebox=\"6,6,6,6\" " +
           std::u16string(windowAttributes) +
           u">"
           u"<VerticalLayout bkcolor=\"#FF2F6FB0\">"
           u"<HorizontalLayout height=\"30\" bkcolor=\"#FF1D4F86\">"
           u"<Control/>"
           u"<Button name=\"maxbtn\" width=\"30\" bkcolor=\"#FFE0E0E0\"/>"
           u"<Button name=\"restorebtn\" width=\"30\" bkcolor=\"#FFA0E0A0\" visible=\"false\"/>"
           u"<Button name=\"closebtn\" width=\"30\" bkcolor=\"#FFE05050\"/>"
           u"</HorizontalLayout>"
           u"<Control/>"
           u"</VerticalLayout>"
           u"</Window>";
}

class FrameDialog : public uikit::WindowImplBase {
  public:
    explicit FrameDialog(std::u16string markup) : markup_(std::move(markup)) {}
    ~FrameDialog() override = default;

    platform::WindowId Open() {
        const platform::WindowId window =
            Create(0, "FrameDialog", platform::kStylePopup | platform::kStyleVisible);
        CenterWindow();
        platform::ProcessPendingMessages();
        return window;
    }
    uikit::CControlUI* Find(std::u16string_view name) { return m_pm.FindControl(name); }

  protected:
    std::string GetWindowClassName() const override { return "FrameDialog"; }
    std::u16string GetSkinFile() const override { return markup_; }

  private:
    std::u16string markup_;
};

class DialogFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        static const bool ready = [] {
            uikit::InitTextEngine();
            return platform::UseHeadless();
        }();
        ASSERT_TRUE(ready);
        work_ = platform::GetWorkArea(0);
    }

    static void Click(platform::WindowId window, const uikit::CControlUI* control) {
        ASSERT_NE(control, nullptr);
        platform::ProcessPendingMessages();
        const Rect rc = platform::GetWindowRect(window);
        const uikit::Rect& pos = control->GetPos();
        const int x = rc.left + (pos.left + pos.right) / 2;
        const int y = rc.top + (pos.top + pos.bottom) / 2;
        hl::MouseMove(x, y);
        hl::Click(x, y);
        platform::ProcessPendingMessages();
    }

    static platform::WindowRegion RegionOf(platform::WindowId window) {
        platform::WindowRegion region;
        EXPECT_TRUE(platform::GetWindowRegion(window, region));
        return region;
    }

    Rect work_;
};

TEST_F(DialogFrame, MinimumInfoAndTheWorkAreaBoundTheDialogsSize) {
    FrameDialog dialog(Markup(u"mininfo=\"320,240\""));
    const platform::WindowId window = dialog.Open();
    ASSERT_NE(window, 0u);
    platform::ResizeWindow(window, 100, 100);
    EXPECT_EQ(platform::GetWindowRect(window).Width(), 320);
    EXPECT_EQ(platform::GetWindowRect(window).Height(), 240);
    platform::ResizeWindow(window, 5000, 5000);
    EXPECT_EQ(platform::GetWindowRect(window).Width(), work_.Width());
    EXPECT_EQ(platform::GetWindowRect(window).Height(), work_.Height());

    // A person drags the bottom-right sizing border far past the minimum.
    platform::SetWindowRect(window, platform::MakeRect(200, 200, 400, 300));
    platform::ProcessPendingMessages();
    hl::MouseMove(598, 498);
    hl::MouseDown(598, 498);
    hl::MouseMove(300, 250);
    hl::MouseUp(300, 250);
    EXPECT_EQ(platform::GetWindowRect(window), platform::MakeRect(200, 200, 320, 240));
    dialog.Close();
    platform::ProcessPendingMessages();
}

TEST_F(DialogFrame, MaximumInfoOfTheMarkupLimitsTheDialogBeforeTheWorkAreaDoes) {
    FrameDialog dialog(Markup(u"maxinfo=\"600,500\""));
    const platform::WindowId window = dialog.Open();
    platform::ResizeWindow(window, 900, 900);
    EXPECT_EQ(platform::GetWindowRect(window).Width(), 600);
    EXPECT_EQ(platform::GetWindowRect(window).Height(), 500);
    // Maximised it stays within the same limit, at the work area's corner.
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MAXIMIZE, 0);
    EXPECT_EQ(platform::GetWindowRect(window), platform::MakeRect(work_.left, work_.top, 600, 500));
    dialog.Close();
    platform::ProcessPendingMessages();
}

TEST_F(DialogFrame, RoundCornersCutEveryNewSizeButNotAMinimisedOne) {
    FrameDialog dialog(Markup(u"roundcorner=\"12,10\""));
    const platform::WindowId window = dialog.Open();
    EXPECT_EQ(RegionOf(window), (platform::WindowRegion{Rect{0, 0, 401, 301}, 12, 10}));
    platform::ResizeWindow(window, 500, 350);
    EXPECT_EQ(RegionOf(window).bounds, (Rect{0, 0, 501, 351}));
    platform::ShowNativeWindow(window, platform::ShowCommand::Minimize);
    EXPECT_EQ(RegionOf(window).bounds, (Rect{0, 0, 501, 351}));
    platform::ShowNativeWindow(window, platform::ShowCommand::Restore);
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MAXIMIZE, 0);
    EXPECT_EQ(RegionOf(window).bounds, (Rect{0, 0, work_.Width() + 1, work_.Height() + 1}));
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0);

    // What shows: the presented frame cut to the region, kept for a look in the build folder.
    platform::ProcessPendingMessages();
    hl::Bitmap frame;
    ASSERT_TRUE(hl::LastPresented(window, frame));
    const platform::WindowRegion region = RegionOf(window);
    uikit::Canvas shown(frame.width, frame.height);
    shown.Clear(0);
    cairo_surface_flush(shown.Surface());
    uint8_t* pixels = cairo_image_surface_get_data(shown.Surface());
    const int stride = cairo_image_surface_get_stride(shown.Surface());
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (platform::RegionContains(region, {x, y})) {
                const uint32_t pixel = frame.At(x, y);
                std::memcpy(pixels + y * stride + x * 4, &pixel, 4);
            }
        }
    }
    cairo_surface_mark_dirty(shown.Surface());
    std::filesystem::create_directories(KAVRIN_PREVIEW_DIR);
    EXPECT_TRUE(shown.WritePng(std::string(KAVRIN_PREVIEW_DIR) + "/round-dialog.png"));
    EXPECT_EQ(shown.Pixel(0, 0), 0u);
    EXPECT_EQ(shown.Pixel(499, 349), 0u);
    EXPECT_EQ(shown.Pixel(250, 0), 0xFF1D4F86u);
    EXPECT_EQ(shown.Pixel(250, 349), 0xFF2F6FB0u);

    dialog.Close();
    platform::ProcessPendingMessages();
}

TEST_F(DialogFrame, MaxAndRestoreButtonsSwapWithTheMaximisedState) {
    FrameDialog dialog(Markup(u""));
    const platform::WindowId window = dialog.Open();
    const Rect normal = platform::GetWindowRect(window);
    uikit::CControlUI* maximize = dialog.Find(u"maxbtn");
    uikit::CControlUI* restore = dialog.Find(u"restorebtn");
    ASSERT_TRUE(maximize->IsVisible());
    ASSERT_FALSE(restore->IsVisible());

    platform::WindowRegion region;
    EXPECT_FALSE(platform::GetWindowRegion(window, region)) << "no round corners, no region";

    Click(window, maximize);
    EXPECT_TRUE(platform::IsMaximized(window));
    EXPECT_EQ(platform::GetWindowRect(window), work_);
    EXPECT_FALSE(maximize->IsVisible());
    EXPECT_TRUE(restore->IsVisible());
    // Whatever size is proposed, the client area is no larger than the work area.
    Rect proposal = platform::MakeRect(10, 20, 3000, 2000);
    platform::SendWindowMessage(window, platform::WM_NCCALCSIZE, 0,
                                reinterpret_cast<intptr_t>(&proposal));
    EXPECT_EQ(proposal, platform::MakeRect(10, 20, work_.Width(), work_.Height()));
    // Maximised, the edges are not for sizing.
    EXPECT_EQ(platform::SendWindowMessage(window, platform::WM_NCHITTEST, 0,
                                          platform::PackPoint(work_.right - 2, work_.top + 200)),
              platform::HTCLIENT);

    Click(window, restore);
    EXPECT_FALSE(platform::IsMaximized(window));
    EXPECT_EQ(platform::GetWindowRect(window), normal);
    EXPECT_TRUE(maximize->IsVisible());
    EXPECT_FALSE(restore->IsVisible());
    EXPECT_EQ(platform::SendWindowMessage(window, platform::WM_NCHITTEST, 0,
                                          platform::PackPoint(normal.right - 2, normal.top + 200)),
              platform::HTRIGHT);

    // A minimise on the way changes nothing about them.
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MAXIMIZE, 0);
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0);
    EXPECT_TRUE(platform::IsMaximized(window));
    EXPECT_FALSE(maximize->IsVisible());
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0);
    EXPECT_TRUE(maximize->IsVisible());
    EXPECT_FALSE(restore->IsVisible());

    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0);
    EXPECT_TRUE(platform::IsWindow(window)) << "the close message is posted";
    platform::ProcessPendingMessages();
    EXPECT_FALSE(platform::IsWindow(window));
}

TEST_F(DialogFrame, TheShadowHidesWhileMaximisedAndReturnsAroundTheRestoredDialog) {
    FrameDialog dialog(
        Markup(u"showshadow=\"true\" shadowimage=\"shadow.png\" shadowcorner=\"9,9,9,9\""));
    const platform::WindowId window = dialog.Open();
    ASSERT_NE(dialog.Shadow(), nullptr);
    const platform::WindowId shadow = dialog.Shadow()->GetWindow();
    const auto around = [window] {
        const Rect host = platform::GetWindowRect(window);
        return Rect{host.left - 9, host.top - 9, host.right + 9, host.bottom + 9};
    };
    EXPECT_TRUE(platform::IsWindowVisible(shadow));
    EXPECT_EQ(platform::GetWindowRect(shadow), around());

    Click(window, dialog.Find(u"maxbtn"));
    ASSERT_TRUE(platform::IsMaximized(window));
    EXPECT_FALSE(platform::IsWindowVisible(shadow));
    // Minimised and back, still maximised: still no shadow.
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
    platform::SendWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0);
    EXPECT_FALSE(platform::IsWindowVisible(shadow));
    // Hidden and shown while maximised: none either.
    platform::ShowNativeWindow(window, platform::ShowCommand::Hide);
    platform::ShowNativeWindow(window, platform::ShowCommand::Show);
    EXPECT_FALSE(platform::IsWindowVisible(shadow));

    Click(window, dialog.Find(u"restorebtn"));
    EXPECT_TRUE(platform::IsWindowVisible(shadow));
    EXPECT_EQ(platform::GetWindowRect(shadow), around());
    platform::MoveWindowTo(window, 50, 60);
    EXPECT_EQ(platform::GetWindowRect(shadow), around());
    // Moved while hidden, it comes back around the new place.
    platform::ShowNativeWindow(window, platform::ShowCommand::Hide);
    platform::CenterWindow(window);
    platform::ShowNativeWindow(window, platform::ShowCommand::Show);
    EXPECT_TRUE(platform::IsWindowVisible(shadow));
    EXPECT_EQ(platform::GetWindowRect(shadow), around());
    dialog.Close();
    platform::ProcessPendingMessages();
}

}  // namespace
