#include "platform/Messages.h"
#include "platform/core/FrameGeometry.h"
#include "platform/core/WindowCore.h"

// The window's frame: its size limits, maximising and restoring, sizing drags, the client area
// and the region.
namespace platform::core {

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
    return FitToLimits(proposed, QueryLimits(window), edge);
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
        ApplyRect(window, MaximizedRect(QueryLimits(window)), true, true);
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
    window.client = ClientWithin(rect, answer);
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
    drag_.Begin(window, hit, screen, record->rect);
}

// A move keeps the size, so only a sizing drag meets the limits.
void WindowCore::DragTo(Point screen) {
    const Rect rect = drag_.RectAt(screen);
    if (!drag_.Sizing()) {
        SetRect(drag_.Window(), rect);
        return;
    }
    if (const auto record = Find(drag_.Window())) {
        ApplyRect(*record, Constrain(*record, rect, drag_.Edge()), true);
    }
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
