#include <atomic>
#include <chrono>
#include <thread>

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Mouse.h"
#include "platform/Timer.h"
#include "tests/platform/WindowBehaviour.h"

using namespace platform;

namespace {

constexpr uint32_t kPing = WM_USER + 1;

TEST_P(WindowBehaviour, TimerTicksUntilKilledAndNeverPilesUp) {
    const WindowId window = Open(MakeRect(10, 10, 100, 100));
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(SetTimer(window, 7, 15));
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_TIMER) >= 3; }));
    EXPECT_EQ(Messages(window, WM_TIMER).front().wParam, 7u);

    // A UI thread busy for many periods sees one tick afterwards, not one per period.
    ASSERT_TRUE(SetTimer(window, 8, 40));
    KillTimer(window, 7);
    log_.clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    RunMessageLoopFor(15);
    EXPECT_EQ(Count(window, WM_TIMER), 1u);

    ASSERT_TRUE(KillTimer(window, 8));
    EXPECT_FALSE(KillTimer(window, 8));
    log_.clear();
    RunMessageLoopFor(120);
    EXPECT_EQ(Count(window, WM_TIMER), 0u);
    EXPECT_FALSE(SetTimer(window, 9, 0));
}

TEST_P(WindowBehaviour, PostsFromAWorkerArriveInOrderOnTheUiThread) {
    const auto uiThread = std::this_thread::get_id();
    std::vector<std::thread::id> threads;
    const WindowId window =
        Open(MakeRect(10, 10, 100, 100), kStylePopup, 0,
             [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == kPing) {
                     threads.push_back(std::this_thread::get_id());
                 }
                 return std::nullopt;
             });
    std::atomic<bool> posted{false};
    std::thread worker([&] {
        for (uintptr_t i = 0; i < 50; ++i) {
            PostWindowMessage(window, kPing, i, -static_cast<intptr_t>(i));
        }
        posted = true;
    });
    // The loop is already waiting when the posts come: they must wake it.
    ASSERT_TRUE(RunUntil([&] { return Count(window, kPing) == 50; }));
    worker.join();
    const auto pings = Messages(window, kPing);
    for (uintptr_t i = 0; i < pings.size(); ++i) {
        EXPECT_EQ(pings[i].wParam, i);
        EXPECT_EQ(pings[i].lParam, -static_cast<intptr_t>(i));
        EXPECT_EQ(threads[i], uiThread);
    }
    EXPECT_FALSE(PostWindowMessage(window + 1000, kPing, 0, 0));
}

TEST_P(WindowBehaviour, SendCallsTheProcedureAtOnceOnlyOnTheUiThread) {
    const WindowId window =
        Open(MakeRect(10, 10, 100, 100), kStylePopup, 0,
             [](WindowId, uint32_t message, uintptr_t wParam, intptr_t) -> std::optional<intptr_t> {
                 if (message == kPing) {
                     return static_cast<intptr_t>(wParam * 2);
                 }
                 return std::nullopt;
             });
    EXPECT_EQ(SendWindowMessage(window, kPing, 21, 0), 42);
    EXPECT_EQ(Count(window, kPing), 1u);

    intptr_t fromWorker = -1;
    std::thread([&] { fromWorker = SendWindowMessage(window, kPing, 5, 0); }).join();
    EXPECT_EQ(fromWorker, 0);
    EXPECT_EQ(Count(window, kPing), 1u);
}

TEST_P(WindowBehaviour, QuitEndsTheLoopAfterWhatWasPostedBefore) {
    const WindowId window = Open(MakeRect(10, 10, 100, 100));
    PostWindowMessage(window, kPing, 1, 0);
    PostQuitMessage(3);
    PostWindowMessage(window, kPing, 2, 0);
    EXPECT_EQ(RunMessageLoop(), 3);
    ASSERT_EQ(Count(window, kPing), 1u);
    ProcessPendingMessages();
    EXPECT_EQ(Count(window, kPing), 2u);
}

TEST_P(WindowBehaviour, ModalLoopsNestAndEndInnermostFirst) {
    std::vector<std::string> order;
    WindowId outer = 0;
    WindowId inner = 0;
    const WindowId main = Open(
        MakeRect(10, 10, 100, 100), kStylePopup, 0,
        [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
            if (message != kPing) {
                return std::nullopt;
            }
            outer = Open(
                MakeRect(20, 20, 50, 50), kStylePopup, 0,
                [&](WindowId self, uint32_t m, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                    if (m == kPing) {
                        inner = Open(MakeRect(30, 30, 20, 20), kStylePopup, self,
                                     [&](WindowId me, uint32_t n, uintptr_t,
                                         intptr_t) -> std::optional<intptr_t> {
                                         if (n == kPing) {
                                             DestroyNativeWindow(me);
                                         }
                                         return std::nullopt;
                                     });
                        PostWindowMessage(inner, kPing, 0, 0);
                        EXPECT_TRUE(RunModalLoop(inner));
                        order.push_back("inner ended");
                        SetTimer(self, 1, 20);
                    } else if (m == WM_TIMER) {
                        DestroyNativeWindow(self);
                    }
                    return std::nullopt;
                });
            PostWindowMessage(outer, kPing, 0, 0);
            EXPECT_TRUE(RunModalLoop(outer));
            order.push_back("outer ended");
            return 0;
        });
    PostWindowMessage(main, kPing, 0, 0);
    ASSERT_TRUE(RunUntil([&] { return order.size() == 2; }));
    EXPECT_EQ(order, (std::vector<std::string>{"inner ended", "outer ended"}));
    EXPECT_FALSE(IsWindow(outer));
    EXPECT_FALSE(IsWindow(inner));
    EXPECT_TRUE(IsWindow(main));
}

TEST_P(WindowBehaviour, QuitSeenByAModalLoopEndsTheLoopsOutsideIt) {
    const WindowId dialog = Open(MakeRect(10, 10, 100, 100));
    const WindowId main =
        Open(MakeRect(200, 10, 100, 100), kStylePopup, 0,
             [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == kPing) {
                     PostQuitMessage(9);
                     EXPECT_FALSE(RunModalLoop(dialog));
                 }
                 return std::nullopt;
             });
    PostWindowMessage(main, kPing, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 9);
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_P(WindowBehaviour, ShowHideMoveAndResizeReportTheirRectangles) {
    const WindowId window = Open(MakeRect(100, 120, 300, 200));
    EXPECT_EQ(GetWindowRect(window), MakeRect(100, 120, 300, 200));
    EXPECT_EQ(GetClientRect(window), MakeRect(0, 0, 300, 200));
    EXPECT_FALSE(IsWindowVisible(window));

    ShowAndWait(window);
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_EQ(Count(window, WM_SHOWWINDOW), 1u);
    EXPECT_EQ(Messages(window, WM_SHOWWINDOW)[0].wParam, 1u);

    log_.clear();
    SetWindowRect(window, MakeRect(150, 160, 400, 250));
    ASSERT_EQ(Count(window, WM_MOVE), 1u);
    EXPECT_EQ(PointX(Messages(window, WM_MOVE)[0].lParam), 150);
    EXPECT_EQ(PointY(Messages(window, WM_MOVE)[0].lParam), 160);
    ASSERT_EQ(Count(window, WM_SIZE), 1u);
    EXPECT_EQ(PointX(Messages(window, WM_SIZE)[0].lParam), 400);
    EXPECT_EQ(PointY(Messages(window, WM_SIZE)[0].lParam), 250);

    log_.clear();
    MoveWindowTo(window, 10, 20);
    EXPECT_EQ(Count(window, WM_SIZE), 0u);
    ResizeWindow(window, 50, 60);
    EXPECT_EQ(Count(window, WM_MOVE), 1u);
    EXPECT_EQ(GetWindowRect(window), MakeRect(10, 20, 50, 60));
    EXPECT_EQ(ScreenToClient(window, Point{15, 30}), (Point{5, 10}));

    ShowNativeWindow(window, ShowCommand::Hide);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(Messages(window, WM_SHOWWINDOW).back().wParam, 0u);
}

TEST_P(WindowBehaviour, CentresOnTheOwnerOrTheWorkAreaAndStaysInside) {
    const Rect area = GetWorkArea(0);
    ASSERT_FALSE(area.IsEmpty());
    const WindowId lone = Open(MakeRect(0, 0, 400, 300));
    CenterWindow(lone);
    EXPECT_EQ(GetWindowRect(lone), MakeRect(area.left + (area.Width() - 400) / 2,
                                            area.top + (area.Height() - 300) / 2, 400, 300));

    const WindowId owner = Open(MakeRect(100, 100, 600, 400));
    ShowAndWait(owner);
    const WindowId owned = Open(MakeRect(0, 0, 200, 100), kStylePopup, owner);
    CenterWindow(owned);
    EXPECT_EQ(GetWindowRect(owned), MakeRect(300, 250, 200, 100));

    // An owner near the corner would put the dialog partly off screen.
    SetWindowRect(owner, MakeRect(area.right - 100, area.bottom - 50, 100, 50));
    CenterWindow(owned);
    EXPECT_EQ(GetWindowRect(owned), MakeRect(area.right - 200, area.bottom - 100, 200, 100));
}

TEST_P(WindowBehaviour, CaptureRoutesMouseMessagesToItsWindow) {
    const WindowId left = Open(MakeRect(100, 100, 200, 200));
    const WindowId right = Open(MakeRect(400, 100, 200, 200));
    ShowAndWait(left);
    ShowAndWait(right);

    GetParam().mouseMove(150, 150);
    ASSERT_TRUE(RunUntil([&] { return Count(left, WM_MOUSEMOVE) > 0; }));
    SetCapture(left);
    EXPECT_EQ(GetCapture(), left);
    log_.clear();
    GetParam().mouseMove(450, 160);
    ASSERT_TRUE(RunUntil([&] {
        const auto moves = Messages(left, WM_MOUSEMOVE);
        return !moves.empty() && PointX(moves.back().lParam) == 350;
    }));
    EXPECT_EQ(PointY(Messages(left, WM_MOUSEMOVE).back().lParam), 60);
    EXPECT_EQ(Count(right, WM_MOUSEMOVE), 0u);

    ReleaseCapture();
    EXPECT_EQ(GetCapture(), 0u);
    GetParam().mouseMove(460, 170);
    ASSERT_TRUE(RunUntil([&] { return Count(right, WM_MOUSEMOVE) > 0; }));
    EXPECT_EQ(PointX(Messages(right, WM_MOUSEMOVE).back().lParam), 60);
    EXPECT_EQ(PointY(Messages(right, WM_MOUSEMOVE).back().lParam), 70);
}

TEST_P(WindowBehaviour, MouseLeaveAndHoverArriveOnceWhenTracked) {
    const WindowId window = Open(MakeRect(100, 100, 200, 200));
    ShowAndWait(window);
    GetParam().mouseMove(150, 150);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_MOUSEMOVE) > 0; }));

    TrackMouse(window, kTrackHover, 60);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_MOUSEHOVER) == 1; }));
    EXPECT_EQ(PointX(Messages(window, WM_MOUSEHOVER)[0].lParam), 50);

    TrackMouse(window, kTrackLeave);
    GetParam().mouseMove(900, 700);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_MOUSELEAVE) == 1; }));
    GetParam().mouseMove(160, 160);
    GetParam().mouseMove(910, 710);
    RunMessageLoopFor(150);
    EXPECT_EQ(Count(window, WM_MOUSELEAVE), 1u);
    EXPECT_EQ(Count(window, WM_MOUSEHOVER), 1u);
}

TEST_P(WindowBehaviour, ButtonsReachTheClientAreaUnlessTheHitTestSaysCaption) {
    const WindowId window = Open(
        MakeRect(100, 100, 300, 200), kStylePopup, 0,
        [](WindowId w, uint32_t message, uintptr_t, intptr_t lParam) -> std::optional<intptr_t> {
            if (message == WM_NCHITTEST) {
                const Point client = ScreenToClient(w, {PointX(lParam), PointY(lParam)});
                return client.y < 30 ? HTCAPTION : HTCLIENT;
            }
            return std::nullopt;
        });
    ShowAndWait(window);
    GetParam().mouseDown(150, 200);
    GetParam().mouseUp(150, 200);
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_LBUTTONUP) == 1; }));
    ASSERT_EQ(Count(window, WM_LBUTTONDOWN), 1u);
    EXPECT_EQ(PointX(Messages(window, WM_LBUTTONDOWN)[0].lParam), 50);
    EXPECT_EQ(PointY(Messages(window, WM_LBUTTONDOWN)[0].lParam), 100);

    log_.clear();
    GetParam().mouseDown(110, 110);
    RunMessageLoopFor(50);
    GetParam().mouseMove(160, 150);
    RunMessageLoopFor(50);
    GetParam().mouseMove(190, 170);
    RunMessageLoopFor(50);
    GetParam().mouseUp(190, 170);
    ASSERT_TRUE(RunUntil([&] { return GetWindowRect(window) == MakeRect(180, 160, 300, 200); }))
        << GetWindowRect(window).left << "," << GetWindowRect(window).top;
    EXPECT_EQ(Count(window, WM_LBUTTONDOWN), 0u);
    EXPECT_GE(Count(window, WM_MOVE), 1u);
    GetParam().mouseMove(300, 300);
    RunMessageLoopFor(50);
    EXPECT_EQ(GetWindowRect(window), MakeRect(180, 160, 300, 200)) << "the drag ended";
}

TEST_P(WindowBehaviour, KeysReachTheFocusedWindowAsCodesAndCharacters) {
    const WindowId window = Open(MakeRect(100, 100, 200, 200));
    ShowAndWait(window);
    SetFocus(window);
    ASSERT_EQ(GetFocus(), window);
    RunMessageLoopFor(50);
    GetParam().typeKey(27);
    GetParam().typeKey(u'q');
    ASSERT_TRUE(RunUntil([&] { return Count(window, WM_KEYUP) == 2; }));
    const auto downs = Messages(window, WM_KEYDOWN);
    const auto chars = Messages(window, WM_CHAR);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].wParam, VK_ESCAPE);
    EXPECT_EQ(downs[1].wParam, static_cast<uintptr_t>('Q'));
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, 27u);
    EXPECT_EQ(chars[1].wParam, static_cast<uintptr_t>('q'));
}

TEST_P(WindowBehaviour, DestroyingAWindowTakesItsOwnedWindowsAndTimers) {
    const WindowId owner = Open(MakeRect(10, 10, 300, 300));
    const WindowId owned = Open(MakeRect(20, 20, 100, 100), kStylePopup, owner);
    ASSERT_TRUE(SetTimer(owner, 1, 10));
    EXPECT_EQ(GetOwner(owned), owner);
    ASSERT_TRUE(DestroyNativeWindow(owner));
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_FALSE(IsWindow(owned));
    ASSERT_EQ(Count(owned, WM_NCDESTROY), 1u);
    EXPECT_FALSE(DestroyNativeWindow(owner));
    EXPECT_FALSE(PostWindowMessage(owner, kPing, 0, 0));
    // The owned window was gone before its owner's destruction finished.
    size_t ownedEnd = 0;
    size_t ownerEnd = 0;
    for (size_t i = 0; i < log_.size(); ++i) {
        if (log_[i].message == WM_NCDESTROY) {
            (log_[i].window == owned ? ownedEnd : ownerEnd) = i;
        }
    }
    EXPECT_LT(ownedEnd, ownerEnd);
    RunMessageLoopFor(50);
    EXPECT_EQ(Count(owner, WM_TIMER), 0u);
}

TEST_P(WindowBehaviour, CloseDestroysUnlessTheWindowKeepsItself) {
    bool keep = true;
    const WindowId window =
        Open(MakeRect(10, 10, 100, 100), kStylePopup, 0,
             [&](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_CLOSE && keep) {
                     return 0;
                 }
                 return std::nullopt;
             });
    PostWindowMessage(window, WM_CLOSE, 0, 0);
    ProcessPendingMessages();
    EXPECT_TRUE(IsWindow(window));
    keep = false;
    SendWindowMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_P(WindowBehaviour, CreationCanBeRefusedByTheProcedure) {
    const WindowId refused =
        Open(MakeRect(10, 10, 100, 100), kStylePopup, 0,
             [](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_CREATE) {
                     return -1;
                 }
                 return std::nullopt;
             });
    EXPECT_EQ(refused, 0u);
    EXPECT_EQ(Open(MakeRect(0, 0, 10, 10), kStylePopup, 0x7FFFFFFF), 0u) << "unknown owner";
}

}  // namespace
