#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/core/WindowCore.h"
#include "platform/headless/HeadlessInput.h"

// Windows in memory on a virtual screen: what tests and the headless build run on. Time is
// real; nothing is drawn anywhere but into each window's last presented bitmap.
namespace platform::headless {

class HeadlessWindows final : public core::NativeWindows {
  public:
    explicit HeadlessWindows(core::WindowCore& core) : core_(core) {}

    bool Start() override { return true; }
    void Create(const core::WindowRecord& window) override;
    void Destroy(WindowId window) override;
    void Show(const core::WindowRecord& window) override;
    void Place(const core::WindowRecord&) override {}
    // The region lives in the record; WindowAt reads it from there.
    void SetRegion(const core::WindowRecord&) override {}
    void SetTopMost(const core::WindowRecord&) override {}
    void Enable(const core::WindowRecord&) override {}
    void Focus(WindowId) override {}
    void Raise(WindowId window) override;
    Rect WorkArea(const core::WindowRecord*) override;
    // The top window under a screen point that takes mouse input; 0 for none. Outside a
    // window's region the point belongs to what lies below.
    WindowId WindowAt(Point screen);

    void Capture(WindowId) override {}
    void SetCursor(WindowId, Cursor cursor) override { cursor_ = cursor; }
    bool BeginMoveDrag(WindowId, Point) override { return false; }
    bool BeginResizeDrag(const core::WindowRecord&, intptr_t, Point) override { return false; }

    void StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) override;
    void StopTimer(WindowId window, uintptr_t id) override;

    void Present(WindowId window, const BitmapView& bitmap) override;
    void Invalidate(WindowId window) override { dirty_.insert(window); }
    bool Translucent() const override { return translucent_; }
    void SetTranslucent(bool translucent) { translucent_ = translucent; }

    bool WaitForEvents(int timeoutMs) override;
    void Wake() override;

    int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                   MessageBoxButtons buttons) override;
    std::string ChooseFolder(WindowId owner, const std::string& startFolder) override;
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    std::string GetClipboardText() override { return clipboard_; }

    bool OpenWebAddress(const std::string& url) override;
    bool ShowInFileManager(const std::string& filePath) override;
    bool OpenFolder(const std::string& folder) override;
    bool ShowNotification(const std::string& title, const std::string& body) override;

    bool LastPresented(WindowId window, Bitmap& bitmap) const;
    Cursor CurrentCursor() const { return cursor_; }
    void SetMessageBoxAnswer(int answer) { messageBoxAnswer_ = answer; }
    const std::string& LastMessageBoxText() const { return messageBoxText_; }
    const std::string& LastMessageBoxCaption() const { return messageBoxCaption_; }
    void SetFolderChooserAnswer(const std::string& folder) { folderAnswer_ = folder; }
    const std::vector<ShellRequest>& ShellRequests() const { return shellRequests_; }
    void ClearShellRequests() { shellRequests_.clear(); }
    const std::vector<DesktopNotification>& Notifications() const { return notifications_; }
    void ClearNotifications() { notifications_.clear(); }
    std::vector<WindowId> WindowsOfClass(const std::string& className) const;

  private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Timer {
        uint32_t periodMs = 0;
        TimePoint due;
    };

    bool MarkDueTimers();
    bool PaintDirty();
    TimePoint NextTimerDue(TimePoint fallback) const;

    core::WindowCore& core_;
    std::vector<WindowId> zOrder_;  // bottom first
    std::map<std::pair<WindowId, uintptr_t>, Timer> timers_;
    std::set<WindowId> dirty_;
    std::map<WindowId, Bitmap> presented_;
    Cursor cursor_ = Cursor::Arrow;
    bool translucent_ = true;
    std::string clipboard_;
    int messageBoxAnswer_ = IDOK;
    std::string messageBoxText_;
    std::string messageBoxCaption_;
    std::string folderAnswer_;
    std::vector<ShellRequest> shellRequests_;
    std::vector<DesktopNotification> notifications_;

    std::mutex wakeLock_;
    std::condition_variable wakeSignal_;
    bool woken_ = false;
};

}  // namespace platform::headless
