#include "platform/win32/window/Win32Windows.h"

#include <cstdlib>

// One running instance per user: a later start finds the running one's main window with
// FindWindow by its class and title and posts it the hand-over message. Window lookups never
// cross the user's session, so the window found is always of this user's own desktop.
namespace platform {
namespace {

// Set on a listening window whose instance runs in a name space of its own (tests); the
// atom of the name space's text, so windows of other spaces are passed over.
constexpr wchar_t kSpaceProperty[] = L"KavrinInstanceSpace";

ATOM SpaceAtom() {
    const char* space = std::getenv("KAVRIN_INSTANCE_NAMESPACE");
    if (space == nullptr || space[0] == '\0') {
        return 0;
    }
    return GlobalAddAtomW(win32::Wide(space).c_str());
}

HWND FindListening(const std::string& className, const std::string& title, HWND except) {
    const std::wstring wideClass = win32::Wide(className);
    const std::wstring wideTitle = win32::Wide(title);
    const ATOM space = SpaceAtom();
    HWND found = nullptr;
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, wideClass.c_str(), wideTitle.c_str())) != nullptr) {
        const auto property =
            static_cast<ATOM>(reinterpret_cast<uintptr_t>(GetPropW(hwnd, kSpaceProperty)));
        if (hwnd != except && property == space) {
            found = hwnd;
            break;
        }
    }
    if (space != 0) {
        GlobalDeleteAtom(space);
    }
    return found;
}

// A stand-in window under the class and title when the target has no window of its own here
// (the in-memory window system): it hands the message on to the target.
class StandInWindow {
  public:
    StandInWindow(const std::string& className, const std::string& title, WindowId target,
                  uint32_t message);
    ~StandInWindow();
    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    WindowId target_;
    uint32_t message_;
};

StandInWindow::StandInWindow(const std::string& className, const std::string& title,
                             WindowId target, uint32_t message)
    : target_(target), message_(message) {
    const std::wstring wideClass = win32::Wide(className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = wideClass.c_str();
    RegisterClassExW(&windowClass);
    hwnd_ =
        CreateWindowExW(WS_EX_TOOLWINDOW, wideClass.c_str(), win32::Wide(title).c_str(), WS_POPUP,
                        0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

StandInWindow::~StandInWindow() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK StandInWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* self = reinterpret_cast<StandInWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == self->message_) {
        PostWindowMessage(self->target_, message, 0, 0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowListener final : public InstanceListener {
  public:
    WindowListener(WindowId target, HWND hwnd, std::unique_ptr<StandInWindow> standIn,
                   uint32_t message)
        : target_(target), hwnd_(hwnd), standIn_(std::move(standIn)) {
        // A later start that is not elevated may still reach an elevated running instance, but
        // with this one message only.
        ChangeWindowMessageFilterEx(hwnd_, message, MSGFLT_ALLOW, nullptr);
        if (const ATOM space = SpaceAtom()) {
            SetPropW(hwnd_, kSpaceProperty,
                     reinterpret_cast<HANDLE>(static_cast<uintptr_t>(space)));
        }
        if (standIn_ == nullptr) {
            win32::Win32Windows::Running()->AcceptForeign(target_, message);
        }
    }
    ~WindowListener() override {
        if (const auto space = static_cast<ATOM>(
                reinterpret_cast<uintptr_t>(RemovePropW(hwnd_, kSpaceProperty)))) {
            GlobalDeleteAtom(space);
        }
        if (standIn_ == nullptr) {
            if (win32::Win32Windows* system = win32::Win32Windows::Running()) {
                system->AcceptForeign(target_, 0);
            }
        }
    }

  private:
    WindowId target_;
    HWND hwnd_;
    std::unique_ptr<StandInWindow> standIn_;
};

class WindowInstance final : public RunningInstance {
  public:
    explicit WindowInstance(HWND hwnd) : hwnd_(hwnd) {}
    bool Post(uint32_t message) override {
        // The running instance may bring its window to the front on the hand-over.
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd_, &process);
        AllowSetForegroundWindow(process);
        return PostMessageW(hwnd_, message, 0, 0) != FALSE;
    }

  private:
    HWND hwnd_;
};

}  // namespace

std::unique_ptr<InstanceListener> ListenForLaterInstances(const std::string& className,
                                                          const std::string& title, WindowId target,
                                                          uint32_t message) {
    win32::Win32Windows* system = win32::Win32Windows::Running();
    HWND own = system != nullptr ? system->HwndOf(target) : nullptr;
    if (FindListening(className, title, own) != nullptr) {
        return nullptr;
    }
    std::unique_ptr<StandInWindow> standIn;
    if (own == nullptr) {
        standIn = std::make_unique<StandInWindow>(className, title, target, message);
        own = standIn->Handle();
        if (own == nullptr) {
            return nullptr;
        }
    }
    return std::make_unique<WindowListener>(target, own, std::move(standIn), message);
}

std::unique_ptr<RunningInstance> FindRunningInstance(const std::string& className,
                                                     const std::string& title) {
    const HWND hwnd = FindListening(className, title, nullptr);
    return hwnd != nullptr ? std::make_unique<WindowInstance>(hwnd) : nullptr;
}

bool NotifyRunningInstance(const std::string& className, const std::string& title,
                           uint32_t message) {
    const auto instance = FindRunningInstance(className, title);
    return instance != nullptr && instance->Post(message);
}

}  // namespace platform
