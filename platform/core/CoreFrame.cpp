#include <algorithm>

#include "platform/Messages.h"
#include "platform/core/WindowCore.h"

// The window's frame: its size limits, maximising and restoring, sizing drags, the client area
// and the region.
namespace platform::core {

namespace {

// The minimum wins over a smaller maximum, as it does on the system the library was written
// for.
int Fit(int side, int minimum, int maximum) {
    return std::max({minimum, 0, std::min(side, maximum)});
}

bool MovesLeftEdge(intptr_t edge) {
    return edge == HTLEFT || edge == HTTOPLEFT || edge == HTBOTTOMLEFT;
}

bool MovesRightEdge(intptr_t edge) {
    return edge == HTRIGHT || edge == HTTOPRIGHT || edge == HTBOTTOMRIGHT;
}

bool MovesTopEdge(intptr_t edge) {
    return edge == HTTOP || edge == HTTOPLEFT || edge == HTTOPRIGHT;
}

bool MovesBottomEdge(intptr_t edge) {
    return edge == HTBOTTOM || edge == HTBOTTOMLEFT || edge == HTBOTTOMRIGHT;
}

}  // namespace

MinMaxInfo WindowCore::QueryLimits(WindowRecord& window) {
    const Rect area = native_->WorkArea(&window);
    MinMaxInfo info;
    info.maxSize = Point{area.Width(), area.Height()};
    info.maxPosition = Point{area.left, area.top};
    info.maxTrackSize = Point{kMaxTrackSide, kMaxTrackSide};
    Send(window.id, WM_GETMINMAXINFO, 0, reinterpret_cast<intptr_t>(&info));
    window.limits = info;
    window.limited =
        info.minTrackSize != Point{} || info.maxTrackSize != Point{kMaxTrackSide, kMaxTrackSide};
    return info;
}

Rect WindowCore::Constrain(WindowRecord& window, const Rect& proposed, intptr_t edge) {
    const MinMaxInfo info = QueryLimits(window);
    const int width = Fit(proposed.Width(), info.minTrackSize.x, info.maxTrackSize.x);
    const int height = Fit(proposed.Height(), info.minTrackSize.y, info.maxTrackSize.y);
    Rect rect = proposed;
    if (MovesLeftEdge(edge)) {
        rect.left = rect.right - width;
    } else {
        rect.right = rect.left + width;
    }
    if (MovesTopEdge(edge)) {
        rect.top = rect.bottom - height;
    } else {
        rect.bottom = rect.top + height;
    }
    return rect;
}

void WindowCore::SetRect(WindowId window, const Rect& rect) {
    if (const auto record = Find(window)) {
        const Rect target = record->rect.SameSize(rect) ? rect : Constrain(*record, rect, 0);
        ApplyRect(*record, target, true);
    }
}

// Maximised: the window fills the maximised rectangle of its limits (the work area unless the
// procedure says otherwise); restored: it gets back the rectangle it had before.
void WindowCore::ChangeMaximized(WindowRecord& window, bool maximize) {
    if (maximize) {
        window.restoreRect = window.rect;
        window.maximized = true;
        const MinMaxInfo info = QueryLimits(window);
        const int width = Fit(info.maxSize.x, info.minTrackSize.x, info.maxTrackSize.x);
        const int height = Fit(info.maxSize.y, info.minTrackSize.y, info.maxTrackSize.y);
        ApplyRect(window, MakeRect(info.maxPosition.x, info.maxPosition.y, width, height), true,
                  true);
        return;
    }
    window.maximized = false;
    ApplyRect(window, Constrain(window, window.restoreRect, 0), true, true);
}

// The procedure may keep a frame of its own: what it leaves of the window rectangle is the
// client area, never more than the window.
void WindowCore::UpdateClientArea(WindowRecord& window) {
    const Rect rect = window.rect;
    Rect answer = rect;
    Send(window.id, WM_NCCALCSIZE, 0, reinterpret_cast<intptr_t>(&answer));
    const int left = std::clamp(answer.left, rect.left, rect.right);
    const int top = std::clamp(answer.top, rect.top, rect.bottom);
    const int right = std::clamp(answer.right, left, rect.right);
    const int bottom = std::clamp(answer.bottom, top, rect.bottom);
    window.client = Rect{left - rect.left, top - rect.top, right - rect.left, bottom - rect.top};
}

void WindowCore::SetRegion(WindowId window, const std::optional<WindowRegion>& region) {
    if (const auto record = Find(window)) {
        record->region = region;
        native_->SetRegion(*record);
    }
}

void WindowCore::StartResizeDrag(WindowId window, intptr_t hit, Point screen) {
    const auto record = Find(window);
    if (record == nullptr) {
        return;
    }
    // The system keeps to the limits while it drags, so it needs them first.
    QueryLimits(*record);
    record->resizeEdge = hit;
    if (native_->BeginResizeDrag(*record, hit, screen)) {
        record->nativeDrag = true;
        return;
    }
    dragging_ = window;
    dragEdge_ = hit;
    dragStart_ = screen;
    dragRect_ = record->rect;
}

void WindowCore::ResizeDragTo(Point screen) {
    const auto record = Find(dragging_);
    if (record == nullptr) {
        return;
    }
    const int dx = screen.x - dragStart_.x;
    const int dy = screen.y - dragStart_.y;
    Rect rect = dragRect_;
    rect.left += MovesLeftEdge(dragEdge_) ? dx : 0;
    rect.right += MovesRightEdge(dragEdge_) ? dx : 0;
    rect.top += MovesTopEdge(dragEdge_) ? dy : 0;
    rect.bottom += MovesBottomEdge(dragEdge_) ? dy : 0;
    ApplyRect(*record, Constrain(*record, rect, dragEdge_), true);
}

// While the system drags the window its reports count; a size beyond the limits is pulled back
// at once (the opposite edge stays where it is).
void WindowCore::NativeBounds(WindowId window, const Rect& rect) {
    const auto record = Find(window);
    if (record == nullptr || !record->nativeDrag || record->rect == rect) {
        return;
    }
    Rect wanted = rect;
    if (record->resizeEdge != 0 && !record->rect.SameSize(rect)) {
        wanted = Constrain(*record, rect, record->resizeEdge);
    }
    ApplyRect(*record, wanted, false);
    if (wanted != rect) {
        native_->Place(*record);
    }
}

}  // namespace platform::core
