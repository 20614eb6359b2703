#include <cstdlib>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Present.h"
#include "platform/SingleInstance.h"
#include "platform/Timer.h"
#include "platform/WindowRegion.h"
#include "platform/win32/testing/Input.h"
#include "platform/win32/testing/ScreenPixels.h"
#include "platform/win32/testing/WindowPosts.h"
#include "tests/platform/WindowBehaviour.h"
#include "tests/support/ScopedEnv.h"

using platform::BitmapView;
using platform::IDNO;
using platform::MakeRect;
using platform::MK_LBUTTON;
using platform::WindowId;
using platform::WM_LBUTTONDOWN;
using platform::WM_LBUTTONUP;
using platform::WM_PAINT;
using platform::WM_TIMER;
using platform::WM_USER;
using platform::testwin32::ReadScreenPixel;

namespace {

// On the system's own screen: what a window presents shows, real clicks reach it, system
// dialogs keep the loop running, and later starts find the running window.
class Win32Screen : public WindowBehaviour {
  protected:
    Handler Painter(std::vector<uint32_t>& pixels, int width, int height) {
        return [&pixels, width, height](WindowId self, uint32_t message, uintptr_t,
                                        intptr_t) -> std::optional<intptr_t> {
            if (message == WM_PAINT) {
                platform::PresentBitmap(
                    self, BitmapView{reinterpret_cast<const uint8_t*>(pixels.data()), width, height,
                                     width * 4});
                return 0;
            }
            return std::nullopt;
        };
    }
    static uint32_t ColourAt(int x, int y) {
        uint32_t rgb = 0;
        return ReadScreenPixel(x, y, rgb) ? rgb : 0xFFFFFFFFu;
    }
    static void ClickAt(int x, int y) {
        platform::testwin32::MovePointerTo(x, y);
        platform::testwin32::PressButton(x, y);
        platform::testwin32::ReleaseButton(x, y);
    }
};

// Near enough for a blend the system rounds its own way.
bool Near(uint32_t rgb, uint32_t expected) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((rgb >> shift) & 0xFF);
        const int b = static_cast<int>((expected >> shift) & 0xFF);
        if (a - b > 3 || b - a > 3) {
            return false;
        }
    }
    return true;
}

TEST_P(Win32Screen, PresentedPixelsAreOnScreenAndAClickReachesTheWindow) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 120;
    std::vector<uint32_t> pixels(kWidth * kHeight, 0xFF3366CCu);
    for (int x = 0; x < kWidth * 20; ++x) {
        pixels[x] = 0xFFE0A020u;  // a caption band
    }
    const WindowId window = Open(MakeRect(200, 150, kWidth, kHeight), platform::kStylePopup, 0,
                                 Painter(pixels, kWidth, kHeight));
    ShowAndWait(window);
    ASSERT_TRUE(RunUntil([&] {
        return ColourAt(280, 210) == 0x3366CC && ColourAt(210, 155) == 0xE0A020;
    })) << std::hex
        << ColourAt(280, 210) << " " << ColourAt(210, 155);
    EXPECT_NE(ColourAt(199, 149), 0x3366CCu);
    EXPECT_NE(ColourAt(360, 270), 0x3366CCu);

    ClickAt(260, 200);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_LBUTTONUP) == 1; }));
    ASSERT_EQ(Count(window, WM_LBUTTONDOWN), 1u);
    const auto down = Messages(window, WM_LBUTTONDOWN)[0];
    EXPECT_EQ(platform::PointX(down.lParam), 60);
    EXPECT_EQ(platform::PointY(down.lParam), 50);
    EXPECT_EQ(down.wParam & MK_LBUTTON, static_cast<uintptr_t>(MK_LBUTTON));
}

// A layered window shows what lies below its clear pixels, blends its translucent ones with it
// where the screen can (the shadow's need; not under Wine without a compositor, where they show
// as their premultiplied colour) and, being click-through, lets clicks reach the window below.
TEST_P(Win32Screen, ALayeredWindowBlendsWithWhatLiesBelowAndPassesClicks) {
    constexpr int kWidth = 200;
    constexpr int kHeight = 100;
    std::vector<uint32_t> red(kWidth * kHeight, 0xFFFF0000u);
    std::vector<uint32_t> shadow(kWidth * kHeight, 0xFF00FF00u);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth / 2; ++x) {
            shadow[y * kWidth + x] = x < kWidth / 4 ? 0 : 0x80008000u;  // clear, half green
        }
    }
    const WindowId below = Open(MakeRect(500, 300, kWidth, kHeight), platform::kStylePopup, 0,
                                Painter(red, kWidth, kHeight));
    const WindowId layered =
        Open(MakeRect(500, 300, kWidth, kHeight),
             platform::kStylePopup | platform::kStyleLayered | platform::kStyleClickThrough |
                 platform::kStyleToolWindow | platform::kStyleNoActivate,
             below, Painter(shadow, kWidth, kHeight));
    ShowAndWait(below);
    ShowAndWait(layered);
    const uint32_t half = platform::ScreenSupportsTranslucency() ? 0x7F8000 : 0x008000;
    ASSERT_TRUE(RunUntil([&] {
        return ColourAt(520, 350) == 0xFF0000 && Near(ColourAt(570, 350), half) &&
               ColourAt(680, 350) == 0x00FF00;
    })) << std::hex
        << ColourAt(520, 350) << " " << ColourAt(570, 350) << " " << ColourAt(680, 350);
    if (const char* shot = std::getenv("KAVRIN_LAYERED_SCREENSHOT_PAUSE")) {
        RunUntil([] { return false; }, std::atoi(shot));
    }

    ClickAt(680, 350);
    ASSERT_TRUE(RunUntil([&] { return Count(below, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(Count(layered, WM_LBUTTONDOWN), 0u);
}

TEST_P(Win32Screen, ARoundRegionShowsTheWindowBelowInItsCornersAndTakesNoClicksThere) {
    constexpr int kSide = 200;
    std::vector<uint32_t> red(kSide * kSide, 0xFFFF0000u);
    std::vector<uint32_t> green(kSide * kSide, 0xFF00FF00u);
    const WindowId below = Open(MakeRect(600, 400, kSide, kSide), platform::kStylePopup, 0,
                                Painter(red, kSide, kSide));
    const WindowId shaped = Open(MakeRect(600, 400, kSide, kSide), platform::kStylePopup, 0,
                                 Painter(green, kSide, kSide));
    platform::SetWindowRegion(
        shaped, platform::WindowRegion{platform::Rect{0, 0, kSide + 1, kSide + 1}, 80, 80});
    ShowAndWait(below);
    ShowAndWait(shaped);
    EXPECT_TRUE(RunUntil([&] {
        return ColourAt(603, 403) == 0xFF0000 && ColourAt(796, 403) == 0xFF0000 &&
               ColourAt(796, 596) == 0xFF0000 && ColourAt(700, 500) == 0x00FF00 &&
               ColourAt(700, 401) == 0x00FF00;
    })) << std::hex
        << ColourAt(603, 403) << " " << ColourAt(796, 596) << " " << ColourAt(700, 500);
    ClickAt(603, 403);
    ASSERT_TRUE(RunUntil([&] { return Count(below, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(Count(shaped, WM_LBUTTONDOWN), 0u);
}

// The system's message box runs its own loop: the owner's timer still ticks, and a quit message
// closes the box with the answer of a closed box and then ends the loop outside it.
TEST_P(Win32Screen, AMessageBoxKeepsTheLoopRunningAndGivesWayToQuit) {
    const WindowId window =
        Open(MakeRect(100, 100, 300, 200), platform::kStylePopup, 0,
             [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_TIMER && Count(window, WM_TIMER) == 3) {
                     platform::PostQuitMessage(4);
                 }
                 return std::nullopt;
             });
    ShowAndWait(window);
    ASSERT_TRUE(platform::SetTimer(window, 1, 100));
    EXPECT_EQ(
        platform::ShowMessageBox(window, "下载完成", "Kavrin", platform::MessageBoxButtons::YesNo),
        IDNO);
    EXPECT_EQ(Count(window, WM_TIMER), 3u);
    EXPECT_EQ(platform::RunMessageLoop(), 4);
}

// A later start finds the running window by its class and title and hands over one message,
// without its parameters; nothing else another process posts reaches the program.
TEST_P(Win32Screen, ALaterStartFindsTheWindowAndOnlyTheHandOverArrives) {
    constexpr uint32_t kHandOver = WM_USER + 100;
    const ScopedEnv space("KAVRIN_INSTANCE_NAMESPACE", "win32-screen-test");
    platform::WindowParams params;
    params.className = "_SoftMainWnd_";
    params.title = "Kavrin";
    params.rect = MakeRect(300, 200, 200, 150);
    const auto named = [&] {
        platform::WindowParams window = params;
        window.proc = [this](WindowId self, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) -> intptr_t {
            log_.push_back(LoggedMessage{self, message, wParam, lParam});
            return platform::DefaultWindowProc(self, message, wParam, lParam);
        };
        return window;
    };
    const WindowId target = platform::CreateNativeWindow(named());
    const WindowId second = platform::CreateNativeWindow(named());
    ASSERT_NE(second, 0u);
    ASSERT_NE(target, 0u);
    EXPECT_EQ(platform::FindRunningInstance("_SoftMainWnd_", "Kavrin"), nullptr);
    auto listener = platform::ListenForLaterInstances("_SoftMainWnd_", "Kavrin", target, kHandOver);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(platform::ListenForLaterInstances("_SoftMainWnd_", "Kavrin", second, kHandOver),
              nullptr)
        << "the name is taken";
    // Another process's posts to every window of the class and title: stray numbers and the
    // hand-over's with parameters of its own.
    const int windowsFound =
        platform::testwin32::PostToEveryWindowOf("_SoftMainWnd_", "Kavrin", kHandOver + 1, 0, 0) +
        platform::testwin32::PostToEveryWindowOf("_SoftMainWnd_", "Kavrin", kHandOver, 7, 9);
    EXPECT_EQ(windowsFound, 2 * 2);
    EXPECT_TRUE(platform::NotifyRunningInstance("_SoftMainWnd_", "Kavrin", kHandOver));
    ASSERT_TRUE(RunUntil([&] { return Count(target, kHandOver) == 2; }));
    for (const auto& message : Messages(target, kHandOver)) {
        EXPECT_EQ(message.wParam, 0u);
        EXPECT_EQ(message.lParam, 0);
    }
    EXPECT_EQ(Count(target, kHandOver + 1), 0u);
    EXPECT_EQ(Count(second, kHandOver), 0u);
    listener.reset();
    EXPECT_EQ(platform::FindRunningInstance("_SoftMainWnd_", "Kavrin"), nullptr);
    platform::DestroyNativeWindow(target);
    platform::DestroyNativeWindow(second);
}

TEST_P(Win32Screen, TheClipboardKeepsTextAcrossItsOwnRoundTrip) {
    platform::SetClipboardText("经典游戏 — classic");
    EXPECT_EQ(platform::GetClipboardText(), "经典游戏 — classic");
    platform::SetClipboardText("");
    EXPECT_EQ(platform::GetClipboardText(), "");
}

INSTANTIATE_TEST_SUITE_P(Win32, Win32Screen,
                         ::testing::Values(WindowSystemUnderTest{
                             "Win32", platform::WindowSystemKind::Desktop, nullptr, nullptr,
                             nullptr, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
