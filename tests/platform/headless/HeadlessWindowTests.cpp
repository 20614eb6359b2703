#include <cstring>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Mouse.h"
#include "platform/Present.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "platform/headless/HeadlessInput.h"
#include "tests/platform/WindowBehaviour.h"
#include "tests/support/TempDir.h"

using namespace platform;
namespace hl = platform::headless;

namespace {

// What only the in-memory window system can show: its screen, its dialogs and its controls.
class InMemoryWindows : public WindowBehaviour {};

TEST_P(InMemoryWindows, PresentedPixelsCanBeReadBackAndPaintComesWhenIdle) {
    std::vector<uint32_t> pixels(4 * 3, 0xFF102030u);
    pixels[1 * 4 + 2] = 0x80400000u;
    const WindowId window = Open(
        MakeRect(0, 0, 4, 3), kStylePopup | kStyleLayered, 0,
        [&](WindowId self, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
            if (message == WM_PAINT) {
                // Rows wider than the image: only the image's own columns are taken.
                std::vector<uint32_t> padded(6 * 3, 0xDEADBEEFu);
                for (int y = 0; y < 3; ++y) {
                    std::memcpy(&padded[y * 6], &pixels[y * 4], 16);
                }
                PresentBitmap(
                    self, BitmapView{reinterpret_cast<const uint8_t*>(padded.data()), 4, 3, 24});
                return 0;
            }
            return std::nullopt;
        });
    hl::Bitmap shown;
    EXPECT_FALSE(hl::LastPresented(window, shown));
    ShowAndWait(window);
    ASSERT_TRUE(hl::LastPresented(window, shown));
    EXPECT_TRUE(ScreenSupportsTranslucency());
    hl::SetTranslucentScreen(false);
    EXPECT_FALSE(ScreenSupportsTranslucency());
    hl::SetTranslucentScreen(true);
    EXPECT_EQ(shown.width, 4);
    EXPECT_EQ(shown.height, 3);
    EXPECT_EQ(shown.At(0, 0), 0xFF102030u);
    EXPECT_EQ(shown.At(2, 1), 0x80400000u);
    EXPECT_EQ(shown.At(3, 2), 0xFF102030u);

    // Invalidations gather into one paint, delivered only once the queue is empty.
    log_.clear();
    InvalidateWindow(window);
    InvalidateWindow(window);
    PostWindowMessage(window, WM_USER, 0, 0);
    ProcessPendingMessages();
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0].message, WM_USER);
    EXPECT_EQ(log_[1].message, WM_PAINT);
}

TEST_P(InMemoryWindows, TimersCanBeFiredOnDemand) {
    const WindowId window = Open(MakeRect(0, 0, 10, 10));
    ASSERT_TRUE(SetTimer(window, 1, 60000));
    EXPECT_TRUE(hl::FireTimer(window, 1));
    EXPECT_FALSE(hl::FireTimer(window, 2));
    ASSERT_EQ(Count(window, WM_TIMER), 1u);
    EXPECT_EQ(Messages(window, WM_TIMER)[0].wParam, 1u);
}

TEST_P(InMemoryWindows, KeysGoToTheFocusedWindow) {
    const WindowId first = Open(MakeRect(0, 0, 10, 10));
    const WindowId second = Open(MakeRect(20, 0, 10, 10));
    SetFocus(first);
    SetFocus(second);
    ASSERT_EQ(Count(first, WM_KILLFOCUS), 1u);
    EXPECT_EQ(Messages(first, WM_KILLFOCUS)[0].wParam, second);
    EXPECT_EQ(Messages(second, WM_SETFOCUS)[0].wParam, first);
    hl::KeyDown(VK_ESCAPE);
    hl::TypeChar(u'好');
    hl::KeyUp(VK_ESCAPE);
    ASSERT_EQ(Count(second, WM_KEYDOWN), 1u);
    EXPECT_EQ(Messages(second, WM_KEYDOWN)[0].wParam, VK_ESCAPE);
    EXPECT_EQ(Messages(second, WM_CHAR)[0].wParam, static_cast<uintptr_t>(u'好'));
    EXPECT_EQ(Count(second, WM_KEYUP), 1u);
    EXPECT_EQ(Count(first, WM_KEYDOWN), 0u);

    EnableWindow(second, false);
    hl::KeyDown(VK_RETURN);
    EXPECT_EQ(Count(second, WM_KEYDOWN), 1u) << "a disabled window takes no keys";
}

TEST_P(InMemoryWindows, TheMouseFindsTheTopWindowAndSkipsClickThroughOnes) {
    const WindowId bottom = Open(MakeRect(0, 0, 200, 200));
    const WindowId topMost = Open(MakeRect(0, 0, 100, 100), kStylePopup | kStyleTopMost);
    const WindowId glass = Open(MakeRect(0, 0, 200, 200), kStylePopup | kStyleClickThrough);
    ShowAndWait(topMost);
    ShowAndWait(bottom);
    ShowAndWait(glass);
    hl::Click(50, 50);
    EXPECT_EQ(Count(topMost, WM_LBUTTONDOWN), 1u) << "top-most stays above the later shown";
    hl::Click(150, 150);
    EXPECT_EQ(Count(bottom, WM_LBUTTONDOWN), 1u);
    EXPECT_EQ(Count(glass, WM_LBUTTONDOWN), 0u);

    EnableWindow(bottom, false);
    hl::Click(150, 150);
    EXPECT_EQ(Count(bottom, WM_LBUTTONDOWN), 1u) << "a disabled window takes no clicks";
}

TEST_P(InMemoryWindows, ADoubleClickArrivesAsDownUpDoubleUp) {
    const WindowId window = Open(MakeRect(0, 0, 100, 100));
    ShowAndWait(window);
    log_.clear();
    hl::DoubleClick(10, 10);
    std::vector<uint32_t> buttons;
    for (const auto& m : log_) {
        if (m.message >= WM_LBUTTONDOWN && m.message <= WM_LBUTTONDBLCLK) {
            buttons.push_back(m.message);
        }
    }
    EXPECT_EQ(buttons, (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                              WM_LBUTTONUP}));
}

TEST_P(InMemoryWindows, MinimisingHidesOwnedWindowsAndRestoringBringsThemBack) {
    const WindowId owner = Open(MakeRect(0, 0, 100, 100));
    const WindowId owned = Open(MakeRect(10, 10, 50, 50), kStylePopup, owner);
    const WindowId hiddenOwned = Open(MakeRect(10, 10, 50, 50), kStylePopup, owner);
    ShowAndWait(owner);
    ShowAndWait(owned);
    ShowNativeWindow(owner, ShowCommand::Minimize);
    EXPECT_TRUE(IsMinimized(owner));
    EXPECT_EQ(Messages(owner, WM_SIZE).back().wParam, SIZE_MINIMIZED);
    EXPECT_FALSE(IsWindowVisible(owned));
    hl::Click(20, 20);
    EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0u);
    ShowNativeWindow(owner, ShowCommand::Restore);
    EXPECT_FALSE(IsMinimized(owner));
    EXPECT_TRUE(IsWindowVisible(owned));
    EXPECT_FALSE(IsWindowVisible(hiddenOwned));
}

TEST_P(InMemoryWindows, ShowingActivatesUnlessAskedNotTo) {
    const WindowId first = Open(MakeRect(0, 0, 10, 10));
    const WindowId quiet = Open(MakeRect(0, 0, 10, 10), kStylePopup | kStyleNoActivate);
    ShowNativeWindow(first, ShowCommand::Show);
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(Messages(first, WM_ACTIVATE).back().wParam, WA_ACTIVE);
    ShowNativeWindow(quiet, ShowCommand::Show);
    EXPECT_EQ(GetForegroundWindow(), first);
}

TEST_P(InMemoryWindows, TheCursorIsTheOneTheWindowAsksForOverIt) {
    const WindowId link =
        Open(MakeRect(0, 0, 100, 100), kStylePopup, 0,
             [](WindowId, uint32_t message, uintptr_t, intptr_t) -> std::optional<intptr_t> {
                 if (message == WM_SETCURSOR) {
                     SetCursor(Cursor::Hand);
                     return 1;
                 }
                 return std::nullopt;
             });
    const WindowId plain = Open(MakeRect(200, 0, 100, 100));
    ShowAndWait(link);
    ShowAndWait(plain);
    hl::MouseMove(10, 10);
    EXPECT_EQ(hl::CurrentCursor(), Cursor::Hand);
    ASSERT_EQ(Count(link, WM_SETCURSOR), 1u);
    EXPECT_EQ(LowWord(static_cast<uintptr_t>(Messages(link, WM_SETCURSOR)[0].lParam)),
              static_cast<uint32_t>(HTCLIENT));
    hl::MouseMove(210, 10);
    EXPECT_EQ(hl::CurrentCursor(), Cursor::Arrow);
}

TEST_P(InMemoryWindows, DialogsAndClipboardAnswerWithoutAPerson) {
    EXPECT_EQ(ShowMessageBox(0, "加载资源文件失败", "uikit"), IDOK);
    EXPECT_EQ(hl::LastMessageBoxText(), "加载资源文件失败");
    EXPECT_EQ(hl::LastMessageBoxCaption(), "uikit");
    hl::SetMessageBoxAnswer(IDNO);
    EXPECT_EQ(ShowMessageBox(0, "?", "c", MessageBoxButtons::YesNo), IDNO);
    hl::SetMessageBoxAnswer(IDOK);

    const TempDir start;
    EXPECT_EQ(ChooseFolder(0, start.path().string()), "");
    hl::SetFolderChooserAnswer("/srv/games");
    EXPECT_EQ(ChooseFolder(0, start.path().string()), "/srv/games");
    hl::SetFolderChooserAnswer("");

    SetClipboardText("客服 QQ 12345");
    EXPECT_EQ(GetClipboardText(), "客服 QQ 12345");
}

TEST_P(InMemoryWindows, TheShellRecordsEachRequestAndRefusesAddressesThatAreNotWebPages) {
    using Request = hl::ShellRequest;
    hl::ClearShellRequests();
    EXPECT_FALSE(OpenWebAddress("file:///etc/passwd"));
    EXPECT_FALSE(OpenWebAddress("javascript:alert(1)"));
    EXPECT_FALSE(OpenWebAddress(" https://kavrin.example/"));
    EXPECT_TRUE(hl::ShellRequests().empty()) << "refused before any window system is asked";

    EXPECT_TRUE(OpenWebAddress("https://kavrin.example/faq"));
    EXPECT_TRUE(ShowInFileManager("/srv/游戏/setup.exe"));
    EXPECT_TRUE(OpenFolder("/srv/游戏"));
    EXPECT_TRUE(OpenWebAddress("http://kavrin.example/"));
    EXPECT_EQ(hl::ShellRequests(),
              (std::vector<Request>{{Request::WebAddress, "https://kavrin.example/faq"},
                                    {Request::ShowItem, "/srv/游戏/setup.exe"},
                                    {Request::OpenFolder, "/srv/游戏"},
                                    {Request::WebAddress, "http://kavrin.example/"}}));
    hl::ClearShellRequests();
    EXPECT_TRUE(hl::ShellRequests().empty());
}

TEST_P(InMemoryWindows, WindowsAreFoundByTheirClassInTheOrderTheyWereMade) {
    const WindowId first = Open(MakeRect(0, 0, 10, 10));
    const WindowId second = Open(MakeRect(0, 0, 10, 10));
    ShowAndWait(second);
    ShowAndWait(first);  // raised above the later one
    EXPECT_EQ(hl::WindowsOfClass("TestWindow"), (std::vector<WindowId>{first, second}));
    EXPECT_TRUE(hl::WindowsOfClass("NoSuchClass").empty());
    DestroyNativeWindow(first);
    EXPECT_EQ(hl::WindowsOfClass("TestWindow"), std::vector<WindowId>{second});
}

INSTANTIATE_TEST_SUITE_P(InMemory, InMemoryWindows,
                         ::testing::Values(WindowSystemUnderTest{
                             "Headless", platform::WindowSystemKind::Headless, hl::MouseMove,
                             [](int x, int y) { hl::MouseDown(x, y); },
                             [](int x, int y) { hl::MouseUp(x, y); }, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
