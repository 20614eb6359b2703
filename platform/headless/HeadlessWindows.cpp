#include "platform/headless/HeadlessWindows.h"

#include <algorithm>
#include <cstring>

#include "platform/Messages.h"
#include "platform/WindowRegion.h"

namespace platform::headless {

void HeadlessWindows::Create(const core::WindowRecord& window) {
    zOrder_.push_back(window.id);
}

void HeadlessWindows::Destroy(WindowId window) {
    std::erase(zOrder_, window);
    dirty_.erase(window);
    presented_.erase(window);
    std::erase_if(timers_, [window](const auto& entry) { return entry.first.first == window; });
}

void HeadlessWindows::Show(const core::WindowRecord& window) {
    if (window.visible && !window.minimized) {
        dirty_.insert(window.id);
    }
}

void HeadlessWindows::Raise(WindowId window) {
    std::erase(zOrder_, window);
    zOrder_.push_back(window);
}

Rect HeadlessWindows::WorkArea(const core::WindowRecord*) {
    return Rect{0, 0, kScreenWidth, kScreenHeight};
}

// Top-most windows lie above the others; within each band the last raised is on top.
WindowId HeadlessWindows::WindowAt(Point screen) {
    for (const bool topMostBand : {true, false}) {
        for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it) {
            const auto record = core_.Find(*it);
            if (record == nullptr || !record->visible || record->minimized ||
                ((record->style & kStyleTopMost) != 0) != topMostBand ||
                (record->style & kStyleClickThrough) != 0 || !record->rect.Contains(screen)) {
                continue;
            }
            const Point inWindow{screen.x - record->rect.left, screen.y - record->rect.top};
            if (record->region && !RegionContains(*record->region, inWindow)) {
                continue;
            }
            return *it;
        }
    }
    return 0;
}

void HeadlessWindows::StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) {
    const auto now = std::chrono::steady_clock::now();
    timers_[{window, id}] = Timer{periodMs, now + std::chrono::milliseconds(periodMs)};
}

void HeadlessWindows::StopTimer(WindowId window, uintptr_t id) {
    timers_.erase({window, id});
}

void HeadlessWindows::Present(WindowId window, const BitmapView& bitmap) {
    Bitmap& copy = presented_[window];
    copy.width = bitmap.width;
    copy.height = bitmap.height;
    copy.pixels.resize(static_cast<size_t>(bitmap.width) * bitmap.height);
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(&copy.pixels[static_cast<size_t>(y) * bitmap.width],
                    bitmap.pixels + static_cast<size_t>(y) * bitmap.stride,
                    static_cast<size_t>(bitmap.width) * 4);
    }
}

bool HeadlessWindows::LastPresented(WindowId window, Bitmap& bitmap) const {
    const auto it = presented_.find(window);
    if (it == presented_.end()) {
        return false;
    }
    bitmap = it->second;
    return true;
}

// A timer that fell behind ticks once and starts its period again from now.
bool HeadlessWindows::MarkDueTimers() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<std::pair<WindowId, uintptr_t>> due;
    for (auto& [key, timer] : timers_) {
        if (timer.due <= now) {
            due.push_back(key);
            timer.due = now + std::chrono::milliseconds(timer.periodMs);
        }
    }
    for (const auto& [window, id] : due) {
        core_.TimerDue(window, id);
    }
    return !due.empty();
}

bool HeadlessWindows::PaintDirty() {
    if (dirty_.empty()) {
        return false;
    }
    const WindowId window = *dirty_.begin();
    dirty_.erase(dirty_.begin());
    core_.Send(window, WM_PAINT, 0, 0);
    return true;
}

HeadlessWindows::TimePoint HeadlessWindows::NextTimerDue(TimePoint fallback) const {
    TimePoint next = fallback;
    for (const auto& [key, timer] : timers_) {
        next = std::min(next, timer.due);
    }
    return next;
}

bool HeadlessWindows::WaitForEvents(int timeoutMs) {
    if (MarkDueTimers() || PaintDirty()) {
        return true;
    }
    if (timeoutMs == 0) {
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    const auto limit =
        timeoutMs < 0 ? TimePoint::max() : now + std::chrono::milliseconds(timeoutMs);
    const auto until = NextTimerDue(limit);
    {
        std::unique_lock lock(wakeLock_);
        if (until == TimePoint::max()) {
            wakeSignal_.wait(lock, [this] { return woken_; });
        } else {
            wakeSignal_.wait_until(lock, until, [this] { return woken_; });
        }
        woken_ = false;
    }
    return MarkDueTimers();
}

void HeadlessWindows::Wake() {
    {
        std::lock_guard guard(wakeLock_);
        woken_ = true;
    }
    wakeSignal_.notify_all();
}

int HeadlessWindows::MessageBox(WindowId, const std::string& text, const std::string& caption,
                                MessageBoxButtons) {
    messageBoxText_ = text;
    messageBoxCaption_ = caption;
    return messageBoxAnswer_;
}

std::string HeadlessWindows::ChooseFolder(WindowId, const std::string&) {
    return folderAnswer_;
}

bool HeadlessWindows::OpenWebAddress(const std::string& url) {
    shellRequests_.push_back({ShellRequest::WebAddress, url});
    return true;
}

bool HeadlessWindows::ShowInFileManager(const std::string& filePath) {
    shellRequests_.push_back({ShellRequest::ShowItem, filePath});
    return true;
}

bool HeadlessWindows::ShowNotification(const std::string& title, const std::string& body) {
    notifications_.push_back({title, body});
    return true;
}

bool HeadlessWindows::OpenFolder(const std::string& folder) {
    shellRequests_.push_back({ShellRequest::OpenFolder, folder});
    return true;
}

// Window ids only grow, so the id order is the order the windows were made in.
std::vector<WindowId> HeadlessWindows::WindowsOfClass(const std::string& className) const {
    std::vector<WindowId> found;
    for (const WindowId window : zOrder_) {
        const auto record = core_.Find(window);
        if (record != nullptr && record->className == className) {
            found.push_back(window);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace platform::headless

namespace platform::core {

std::unique_ptr<NativeWindows> MakeHeadlessWindows(WindowCore& core) {
    return std::make_unique<headless::HeadlessWindows>(core);
}

}  // namespace platform::core
