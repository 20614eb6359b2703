#include "platform/Messages.h"
#include "platform/core/WindowCore.h"

// The pointer: which window its input goes to (capture first), hover and leave tracking, caption
// drags and the cursor.
namespace platform::core {
namespace {

// Hover tracking runs on a timer of the window that no caller can ask for.
constexpr uintptr_t kHoverTimerId = ~static_cast<uintptr_t>(0) - 1;

intptr_t ClientPoint(const WindowRecord& window, Point screen) {
    return PackPoint(screen.x - window.rect.left - window.client.left,
                     screen.y - window.rect.top - window.client.top);
}

bool IsSizingCode(intptr_t hit) {
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

}  // namespace

bool WindowCore::AcceptsMouse(WindowId window) const {
    const auto record = Find(window);
    return record != nullptr && record->enabled && record->visible && !record->minimized;
}

WindowId WindowCore::MouseTarget(WindowId under) const {
    if (capture_ != 0) {
        return capture_;
    }
    return AcceptsMouse(under) ? under : 0;
}

void WindowCore::UpdateHovered(WindowId under) {
    if (under == hovered_) {
        return;
    }
    const WindowId left = hovered_;
    hovered_ = under;
    const auto record = Find(left);
    if (record == nullptr) {
        return;
    }
    if ((record->trackFlags & kTrackHover) != 0) {
        record->trackFlags &= ~kTrackHover;
        KillTimer(left, kHoverTimerId);
    }
    if ((record->trackFlags & kTrackLeave) != 0) {
        record->trackFlags &= ~kTrackLeave;
        Send(left, WM_MOUSELEAVE, 0, 0);
    }
}

void WindowCore::RestartHover(WindowId window) {
    const auto record = Find(window);
    if (record != nullptr && (record->trackFlags & kTrackHover) != 0) {
        SetTimer(window, kHoverTimerId, record->hoverMs);
    }
}

bool WindowCore::HoverTimerTick(WindowId window, uintptr_t id) {
    if (id != kHoverTimerId) {
        return false;
    }
    KillTimer(window, kHoverTimerId);
    const auto record = Find(window);
    // The pointer may have rested since a modal window disabled this one: no hover for it.
    if (record != nullptr && (record->trackFlags & kTrackHover) != 0 && hovered_ == window &&
        AcceptsMouse(window)) {
        record->trackFlags &= ~kTrackHover;
        Send(window, WM_MOUSEHOVER, 0, ClientPoint(*record, pointer_));
    }
    return true;
}

void WindowCore::TrackMouse(WindowId window, uint32_t flags, uint32_t hoverMs) {
    const auto record = Find(window);
    if (record == nullptr) {
        return;
    }
    if (hovered_ != window) {
        // As on the original system: asking over another window answers at once.
        if ((flags & kTrackLeave) != 0) {
            Post(QueuedMessage{window, WM_MOUSELEAVE, 0, 0});
        }
        return;
    }
    record->trackFlags |= flags;
    record->hoverMs = hoverMs == 0 ? kDefaultHoverMs : hoverMs;
    if ((flags & kTrackHover) != 0) {
        RestartHover(window);
    }
}

void WindowCore::DeliverMouse(WindowId target, uint32_t message, Point screen, uintptr_t keys) {
    if (const auto record = Find(target)) {
        Send(target, message, keys, ClientPoint(*record, screen));
    }
}

void WindowCore::MouseMove(WindowId under, Point screen, uintptr_t keys) {
    pointer_ = screen;
    if (drag_.Window() != 0) {
        DragTo(screen);
        return;
    }
    const WindowId target = MouseTarget(under);
    UpdateHovered(AcceptsMouse(under) ? under : 0);
    if (target == 0) {
        return;
    }
    if (capture_ == 0) {
        const intptr_t hit = Send(target, WM_NCHITTEST, 0, PackPoint(screen.x, screen.y));
        Send(target, WM_SETCURSOR, target,
             static_cast<intptr_t>((static_cast<uint32_t>(WM_MOUSEMOVE) << 16) |
                                   static_cast<uint16_t>(hit)));
    }
    DeliverMouse(target, WM_MOUSEMOVE, screen, keys);
    RestartHover(target);
}

bool WindowCore::StartCaptionDrag(WindowId window, Point screen) {
    const auto record = Find(window);
    if (record == nullptr) {
        return false;
    }
    SetForeground(window);
    if (native_->BeginMoveDrag(window, screen)) {
        record->nativeDrag = true;
        return true;
    }
    drag_.Begin(window, 0, screen, record->rect);
    return true;
}

void WindowCore::MouseButtonDown(WindowId under, Point screen, MouseButton button, bool doubleClick,
                                 uintptr_t keys) {
    pointer_ = screen;
    const WindowId target = MouseTarget(under);
    if (target == 0) {
        return;
    }
    if (capture_ == 0) {
        const intptr_t hit = Send(target, WM_NCHITTEST, 0, PackPoint(screen.x, screen.y));
        if (button == MouseButton::Left && hit == HTCAPTION) {
            StartCaptionDrag(target, screen);
            return;
        }
        if (button == MouseButton::Left && IsSizingCode(hit)) {
            StartResizeDrag(target, hit, screen);
            return;
        }
        const auto record = Find(target);
        if (record != nullptr && (record->style & kStyleNoActivate) == 0 && foreground_ != target) {
            SetForeground(target);
        }
    }
    uint32_t message = WM_RBUTTONDOWN;
    if (button == MouseButton::Left) {
        message = doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    }
    DeliverMouse(target, message, screen, keys);
}

void WindowCore::MouseButtonUp(WindowId under, Point screen, MouseButton button, uintptr_t keys) {
    pointer_ = screen;
    if (drag_.Window() != 0 && button == MouseButton::Left) {
        drag_.End();
        return;
    }
    const WindowId target = MouseTarget(under);
    if (target != 0) {
        DeliverMouse(target, button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP, screen,
                     keys);
    }
}

void WindowCore::MouseWheel(WindowId under, Point screen, int delta, uintptr_t keys) {
    pointer_ = screen;
    const WindowId target = MouseTarget(under);
    if (target != 0) {
        const uintptr_t wParam =
            (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | (keys & 0xFFFF);
        Send(target, WM_MOUSEWHEEL, wParam, PackPoint(screen.x, screen.y));
    }
}

void WindowCore::PointerLeft(WindowId window) {
    if (hovered_ == window && capture_ == 0) {
        UpdateHovered(0);
    }
}

// A system move drag ends without a button release: nothing may stay pressed or captured.
void WindowCore::PointerGrabBroken() {
    drag_.End();
    if (capture_ != 0) {
        SetCapture(0);
    }
}

void WindowCore::SetCapture(WindowId window) {
    if (window != 0 && !Find(window)) {
        return;
    }
    capture_ = window;
    native_->Capture(window);
}

void WindowCore::SetCursor(Cursor cursor) {
    if (native_ != nullptr) {
        native_->SetCursor(capture_ != 0 ? capture_ : hovered_, cursor);
    }
}

}  // namespace platform::core
