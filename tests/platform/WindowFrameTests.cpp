#include <functional>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/WindowRegion.h"
#include "tests/platform/WindowBehaviour.h"

using namespace platform;

// The window frame on every window system: maximising, size limits, the client area and
// regions.
namespace {

// A window that answers the size limits a skin would give it.
using Answer = std::function<std::optional<intptr_t>(WindowId, uint32_t, uintptr_t, intptr_t)>;

Answer Limits(const MinMaxInfo& limits, int sizingBorder = 0) {
    return [limits, sizingBorder](WindowId window, uint32_t message, uintptr_t,
                                  intptr_t lParam) -> std::optional<intptr_t> {
        if (message == WM_GETMINMAXINFO) {
            *reinterpret_cast<MinMaxInfo*>(lParam) = limits;
            return 0;
        }
        if (message == WM_NCHITTEST && sizingBorder > 0) {
            const Point pt = ScreenToClient(window, {PointX(lParam), PointY(lParam)});
            const Rect client = GetClientRect(window);
            if (pt.x >= client.right - sizingBorder && pt.y >= client.bottom - sizingBorder) {
                return HTBOTTOMRIGHT;
            }
            return pt.x < sizingBorder ? HTLEFT : HTCLIENT;
        }
        return std::nullopt;
    };
}

TEST_P(WindowBehaviour, MaximiseFillsTheWorkAreaAndRestoreGivesTheRectangleBack) {
    const Rect area = GetWorkArea(0);
    const Rect normal = MakeRect(100, 120, 300, 200);
    const WindowId window = Open(normal);
    ShowAndWait(window);
    log_.clear();
    SendWindowMessage(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsMaximized(window));
    EXPECT_EQ(GetWindowRect(window), area);
    EXPECT_EQ(GetClientRect(window), MakeRect(0, 0, area.Width(), area.Height()));
    EXPECT_EQ(Count(window, WM_GETMINMAXINFO), 1u);
    ASSERT_GE(Count(window, WM_SIZE), 1u);
    const LoggedMessage size = Messages(window, WM_SIZE).back();
    EXPECT_EQ(size.wParam, SIZE_MAXIMIZED);
    EXPECT_EQ(PointX(size.lParam), area.Width());
    EXPECT_EQ(PointY(size.lParam), area.Height());

    // Minimised and restored, it is maximised again; only the next restore brings it back.
    ShowNativeWindow(window, ShowCommand::Minimize);
    EXPECT_FALSE(IsMaximized(window) && !IsMinimized(window));
    ShowNativeWindow(window, ShowCommand::Restore);
    EXPECT_TRUE(IsMaximized(window));
    EXPECT_EQ(Messages(window, WM_SIZE).back().wParam, SIZE_MAXIMIZED);
    EXPECT_EQ(GetWindowRect(window), area);

    SendWindowMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsMaximized(window));
    EXPECT_EQ(GetWindowRect(window), normal);
    EXPECT_EQ(Messages(window, WM_SIZE).back().wParam, SIZE_RESTORED);
    EXPECT_EQ(PointX(Messages(window, WM_MOVE).back().lParam), normal.left);
    // The system shows the same: a click where the maximised window was now misses it.
    if (!Headless()) {
        ASSERT_TRUE(RunUntil([&] { return Count(window, WM_PAINT) > 0; }));
    }
    log_.clear();
    GetParam().mouseDown(area.left + 5, area.bottom - 5);
    GetParam().mouseUp(area.left + 5, area.bottom - 5);
    RunMessageLoopFor(50);
    EXPECT_EQ(Count(window, WM_LBUTTONDOWN), 0u);
}

TEST_P(WindowBehaviour, SizeLimitsBoundProgrammedSizesAndTheMaximisedRectangle) {
    MinMaxInfo limits;
    limits.maxSize = Point{1000, 1000};
    limits.maxPosition = Point{10, 20};
    limits.minTrackSize = Point{150, 100};
    limits.maxTrackSize = Point{400, 300};
    const WindowId window = Open(MakeRect(50, 60, 200, 200), kStylePopup, 0, Limits(limits));
    ResizeWindow(window, 40, 30);
    EXPECT_EQ(GetWindowRect(window), MakeRect(50, 60, 150, 100));
    SetWindowRect(window, MakeRect(70, 80, 900, 900));
    EXPECT_EQ(GetWindowRect(window), MakeRect(70, 80, 400, 300));
    EXPECT_EQ(PointX(Messages(window, WM_SIZE).back().lParam), 400);
    log_.clear();
    MoveWindowTo(window, 90, 90);
    EXPECT_EQ(Count(window, WM_GETMINMAXINFO), 0u) << "a move does not ask";

    ShowNativeWindow(window, ShowCommand::Maximize);
    EXPECT_EQ(GetWindowRect(window), MakeRect(10, 20, 400, 300));
    ShowNativeWindow(window, ShowCommand::Restore);
    EXPECT_EQ(GetWindowRect(window), MakeRect(90, 90, 400, 300));
}

TEST_P(WindowBehaviour, ASizingDragStopsAtTheMinimumAndTheMaximum) {
    MinMaxInfo limits;
    limits.minTrackSize = Point{150, 100};
    limits.maxTrackSize = Point{400, 300};
    const WindowId window = Open(MakeRect(100, 100, 200, 200), kStylePopup, 0, Limits(limits, 10));
    ShowAndWait(window);
    RunMessageLoopFor(50);
    GetParam().mouseMove(296, 296);
    RunMessageLoopFor(50);
    GetParam().mouseDown(296, 296);
    RunMessageLoopFor(50);
    GetParam().mouseMove(500, 450);
    RunMessageLoopFor(50);
    GetParam().mouseMove(700, 650);
    EXPECT_TRUE(RunUntil([&] { return GetWindowRect(window) == MakeRect(100, 100, 400, 300); }))
        << GetWindowRect(window).Width() << "x" << GetWindowRect(window).Height();
    GetParam().mouseMove(200, 150);
    RunMessageLoopFor(50);
    GetParam().mouseMove(120, 110);
    EXPECT_TRUE(RunUntil([&] { return GetWindowRect(window) == MakeRect(100, 100, 150, 100); }))
        << GetWindowRect(window).Width() << "x" << GetWindowRect(window).Height();
    GetParam().mouseUp(120, 110);
    RunMessageLoopFor(50);
    EXPECT_EQ(Count(window, WM_LBUTTONDOWN), 0u) << "the border is the frame's, not the client's";
}

// A frame of the window's own: the client area is what WM_NCCALCSIZE leaves, and client
// coordinates start inside it.
TEST_P(WindowBehaviour, TheClientAreaIsWhatTheNonClientSizeLeaves) {
    const WindowId window =
        Open(MakeRect(100, 100, 200, 150), kStylePopup, 0,
             [](WindowId, uint32_t message, uintptr_t, intptr_t lParam) -> std::optional<intptr_t> {
                 if (message == WM_NCCALCSIZE) {
                     auto* rect = reinterpret_cast<Rect*>(lParam);
                     *rect = Rect{rect->left + 5, rect->top + 8, rect->right - 5, rect->bottom - 2};
                     return 0;
                 }
                 return std::nullopt;
             });
    EXPECT_EQ(GetClientRect(window), MakeRect(0, 0, 190, 140));
    EXPECT_EQ(ScreenToClient(window, Point{110, 110}), (Point{5, 2}));
    ResizeWindow(window, 300, 200);
    EXPECT_EQ(PointX(Messages(window, WM_SIZE).back().lParam), 290);
    EXPECT_EQ(PointY(Messages(window, WM_SIZE).back().lParam), 190);
    ShowAndWait(window);
    GetParam().mouseMove(120, 130);
    EXPECT_TRUE(RunUntil([&] {
        const auto moves = Messages(window, WM_MOUSEMOVE);
        return !moves.empty() && PointX(moves.back().lParam) == 15 &&
               PointY(moves.back().lParam) == 22;
    }));
}

TEST_P(WindowBehaviour, ClicksOutsideARoundRegionReachTheWindowBelow) {
    // Clicks must not raise the window below over the shaped one.
    const WindowId below = Open(MakeRect(300, 300, 200, 200), kStylePopup | kStyleNoActivate);
    const WindowId shaped = Open(MakeRect(300, 300, 200, 200));
    WindowRegion region;
    region.bounds = Rect{0, 0, 201, 201};
    region.cornerWidth = 60;
    region.cornerHeight = 60;
    SetWindowRegion(shaped, region);
    WindowRegion back;
    ASSERT_TRUE(GetWindowRegion(shaped, back));
    EXPECT_EQ(back, region);
    ShowAndWait(below);
    ShowAndWait(shaped);
    RunMessageLoopFor(50);

    GetParam().mouseDown(302, 302);
    GetParam().mouseUp(302, 302);
    ASSERT_TRUE(RunUntil([&] { return Count(below, WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(Count(shaped, WM_LBUTTONDOWN), 0u);
    GetParam().mouseDown(497, 497);
    GetParam().mouseUp(497, 497);
    ASSERT_TRUE(RunUntil([&] { return Count(below, WM_LBUTTONUP) == 2; }));
    GetParam().mouseDown(400, 302);
    GetParam().mouseUp(400, 302);
    ASSERT_TRUE(RunUntil([&] { return Count(shaped, WM_LBUTTONUP) == 1; }));

    ClearWindowRegion(shaped);
    EXPECT_FALSE(GetWindowRegion(shaped, back));
    RunMessageLoopFor(50);
    GetParam().mouseDown(302, 302);
    GetParam().mouseUp(302, 302);
    ASSERT_TRUE(RunUntil([&] { return Count(shaped, WM_LBUTTONUP) == 2; }));
    EXPECT_EQ(Count(below, WM_LBUTTONUP), 2u);
}

}  // namespace
