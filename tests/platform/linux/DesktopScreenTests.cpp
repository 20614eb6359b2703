#include <cstdlib>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/Dialogs.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Present.h"
#include "platform/Timer.h"
#include "platform/WindowRegion.h"
#include "platform/linux/testing/VirtualDisplay.h"
#include "tests/platform/WindowBehaviour.h"

using namespace platform;

namespace {

// On the real X server: what a window presents is on the screen, and a real click reaches it.
class DesktopScreen : public WindowBehaviour {};

TEST_P(DesktopScreen, PresentedPixelsAreOnScreenAndAClickReachesTheWindow) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 120;
    std::vector<uint32_t> pixels(kWidth * kHeight, 0xFF3366CCu);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels[y * kWidth + x] = 0xFFE0A020u;  // a caption band
        }
    }
    const WindowId window =
        Open(MakeRect(200, 150, kWidth, kHeight), kStylePopup, 0,
             [&](WindowId self, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_PAINT) {
                     PresentBitmap(self, BitmapView{reinterpret_cast<const uint8_t*>(pixels.data()),
                                                    kWidth, kHeight, kWidth * 4});
                     return 0;
                 }
                 return std::nullopt;
             });
    ShowAndWait(window);
    uint32_t body = 0;
    uint32_t caption = 0;
    ASSERT_TRUE(RunUntil([&] {
        return testdisplay::ReadScreenPixel(280, 210, body) &&
               testdisplay::ReadScreenPixel(210, 155, caption) && body == 0x3366CC &&
               caption == 0xE0A020;
    })) << std::hex
        << body << " " << caption;
    uint32_t outside = 0;
    ASSERT_TRUE(testdisplay::ReadScreenPixel(199, 149, outside));
    EXPECT_NE(outside, 0x3366CCu);

    if (const char* shot = std::getenv("KAVRIN_SCREENSHOT")) {
        EXPECT_TRUE(testdisplay::SaveScreen(shot));
    }

    ASSERT_TRUE(testdisplay::ClickAt(260, 200));
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_LBUTTONUP) == 1; }));
    ASSERT_EQ(Count(window, WM_LBUTTONDOWN), 1u);
    const auto down = Messages(window, WM_LBUTTONDOWN)[0];
    EXPECT_EQ(PointX(down.lParam), 60);
    EXPECT_EQ(PointY(down.lParam), 50);
    EXPECT_EQ(down.wParam & MK_LBUTTON, MK_LBUTTON);
}

// Without a compositor (as under the virtual server) a layered window is cut to its opaque
// pixels; being click-through, it lets clicks reach the window below.
TEST_P(DesktopScreen, ALayeredWindowShowsWhatLiesBelowItsClearPixelsAndPassesClicks) {
    constexpr int kWidth = 200;
    constexpr int kHeight = 100;
    std::vector<uint32_t> red(kWidth * kHeight, 0xFFFF0000u);
    std::vector<uint32_t> halfGreen(kWidth * kHeight, 0xFF00FF00u);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth / 2; ++x) {
            halfGreen[y * kWidth + x] = 0;
        }
    }
    const auto painter = [](std::vector<uint32_t>& pixels) {
        return [&pixels](WindowId self, uint32_t message, uintptr_t,
                         intptr_t) -> std::optional<intptr_t> {
            if (message == WM_PAINT) {
                PresentBitmap(self, BitmapView{reinterpret_cast<const uint8_t*>(pixels.data()),
                                               kWidth, kHeight, kWidth * 4});
                return 0;
            }
            return std::nullopt;
        };
    };
    const WindowId below = Open(MakeRect(500, 300, kWidth, kHeight), kStylePopup, 0, painter(red));
    const WindowId layered =
        Open(MakeRect(500, 300, kWidth, kHeight),
             kStylePopup | kStyleLayered | kStyleClickThrough | kStyleToolWindow, below,
             painter(halfGreen));
    ShowAndWait(below);
    ShowAndWait(layered);
    EXPECT_FALSE(ScreenSupportsTranslucency()) << "no compositor on the virtual server";
    uint32_t left = 0;
    uint32_t right = 0;
    ASSERT_TRUE(RunUntil([&] {
        return testdisplay::ReadScreenPixel(520, 350, left) &&
               testdisplay::ReadScreenPixel(680, 350, right) && left == 0xFF0000 &&
               right == 0x00FF00;
    })) << std::hex
        << left << " " << right;

    ASSERT_TRUE(testdisplay::ClickAt(680, 350));
    ASSERT_TRUE(RunUntil([&] { return Count(below, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(Count(layered, WM_LBUTTONDOWN), 0u);
}

// While a message box waits for its answer the loop goes on: the owner's timer still ticks, and
// a quit message closes the box and then ends the loop outside it.
TEST_P(DesktopScreen, AMessageBoxKeepsTheLoopRunningAndGivesWayToQuit) {
    const WindowId window =
        Open(MakeRect(100, 100, 300, 200), kStylePopup, 0,
             [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_TIMER && Count(window, WM_TIMER) == 3) {
                     if (const char* shot = std::getenv("KAVRIN_DIALOG_SCREENSHOT")) {
                         testdisplay::SaveScreen(shot);
                     }
                     PostQuitMessage(4);
                 }
                 return std::nullopt;
             });
    ShowAndWait(window);
    ASSERT_TRUE(SetTimer(window, 1, 100));
    EXPECT_EQ(ShowMessageBox(window, "下载完成", "Kavrin"), IDOK);
    EXPECT_EQ(Count(window, WM_TIMER), 3u);
    EXPECT_EQ(RunMessageLoop(), 4);
}

// With a compositor on the server a layered window blends its translucent pixels with what lies
// below, as the shadow needs.
TEST_P(DesktopScreen, WithACompositorLayeredWindowsBlendWithWhatLiesBelow) {
    auto compositor = StartChildProcess("/usr/bin/xcompmgr", {"xcompmgr"});
    ASSERT_NE(compositor, nullptr);
    ASSERT_TRUE(RunUntil([] { return ScreenSupportsTranslucency(); }, 10000));

    constexpr int kSize = 100;
    std::vector<uint32_t> red(kSize * kSize, 0xFFFF0000u);
    std::vector<uint32_t> halfGreen(kSize * kSize, 0x80008000u);  // premultiplied
    const auto painter = [](std::vector<uint32_t>& pixels) {
        return [&pixels](WindowId self, uint32_t message, uintptr_t,
                         intptr_t) -> std::optional<intptr_t> {
            if (message == WM_PAINT) {
                PresentBitmap(self, BitmapView{reinterpret_cast<const uint8_t*>(pixels.data()),
                                               kSize, kSize, kSize * 4});
                return 0;
            }
            return std::nullopt;
        };
    };
    const WindowId below = Open(MakeRect(300, 300, kSize, kSize), kStylePopup, 0, painter(red));
    const WindowId layered =
        Open(MakeRect(300, 300, kSize, kSize), kStylePopup | kStyleLayered | kStyleToolWindow,
             below, painter(halfGreen));
    ShowAndWait(below);
    ShowAndWait(layered);
    uint32_t blended = 0;
    const auto near = [](uint32_t channel, uint32_t expected) {
        return channel + 0x10 >= expected && channel <= expected + 0x10;
    };
    EXPECT_TRUE(RunUntil([&] {
        return testdisplay::ReadScreenPixel(350, 350, blended) && near(blended >> 16, 0x80) &&
               near((blended >> 8) & 0xFF, 0x80) && (blended & 0xFF) < 0x10;
    })) << std::hex
        << blended;
    compositor->Terminate();
}

// A rounded window region cuts what shows: its corners show the window below.
TEST_P(DesktopScreen, ARoundRegionShowsTheWindowBelowInItsCorners) {
    constexpr int kSide = 200;
    std::vector<uint32_t> red(kSide * kSide, 0xFFFF0000u);
    std::vector<uint32_t> green(kSide * kSide, 0xFF00FF00u);
    const auto painter = [](std::vector<uint32_t>& pixels) {
        return [&pixels](WindowId self, uint32_t message, uintptr_t,
                         intptr_t) -> std::optional<intptr_t> {
            if (message == WM_PAINT) {
                PresentBitmap(self, BitmapView{reinterpret_cast<const uint8_t*>(pixels.data()),
                                               kSide, kSide, kSide * 4});
                return 0;
            }
            return std::nullopt;
        };
    };
    const WindowId below = Open(MakeRect(600, 400, kSide, kSide), kStylePopup, 0, painter(red));
    const WindowId shaped = Open(MakeRect(600, 400, kSide, kSide), kStylePopup, 0, painter(green));
    SetWindowRegion(shaped, WindowRegion{Rect{0, 0, kSide + 1, kSide + 1}, 80, 80});
    ShowAndWait(below);
    ShowAndWait(shaped);
    const auto colourAt = [](int x, int y) {
        uint32_t rgb = 0;
        return testdisplay::ReadScreenPixel(x, y, rgb) ? rgb : 0xFFFFFFFFu;
    };
    EXPECT_TRUE(RunUntil([&] {
        return colourAt(603, 403) == 0xFF0000 && colourAt(796, 403) == 0xFF0000 &&
               colourAt(796, 596) == 0xFF0000 && colourAt(700, 500) == 0x00FF00 &&
               colourAt(700, 401) == 0x00FF00;
    })) << std::hex
        << colourAt(603, 403) << " " << colourAt(796, 596) << " " << colourAt(700, 500);
    if (const char* shot = std::getenv("KAVRIN_REGION_SCREENSHOT")) {
        EXPECT_TRUE(testdisplay::SaveScreen(shot));
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, DesktopScreen,
                         ::testing::Values(WindowSystemUnderTest{
                             "Gtk", WindowSystemKind::Desktop, nullptr, nullptr, nullptr, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
