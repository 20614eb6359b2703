// Scroll bars of containers: shown while the children need more room than there is, hidden
// otherwise; the position shifts the children.
#include <algorithm>

#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/ExtentUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

constexpr int kFallbackLineSize = 8;

// Applies a bar's range for the size needed; true when the layout must run again.
bool UpdateBar(CScrollBarUI* bar, int required, int available) {
    if (bar == nullptr) {
        return false;
    }
    if (required > available) {
        const int range = required - available;
        const bool changed = !bar->IsVisible() || bar->GetScrollRange() != range;
        bar->SetScrollRange(range);
        if (!bar->IsVisible()) {
            bar->SetVisible(true);
        }
        return changed;
    }
    if (!bar->IsVisible()) {
        return false;
    }
    bar->SetVisible(false);
    bar->SetScrollRange(0);
    bar->SetScrollPos(0);
    return true;
}

}  // namespace

void CContainerUI::EnableScrollBar(bool enableVertical, bool enableHorizontal) {
    const auto make = [this](CScrollBarUI*& bar, bool enable, bool horizontal) {
        if (enable && bar == nullptr) {
            bar = new CScrollBarUI();
            bar->SetOwner(this);
            bar->SetHorizontal(horizontal);
            bar->SetVisible(false);
            bar->SetManager(manager_, this, false);
            if (manager_ != nullptr) {
                const auto list =
                    manager_->GetDefaultAttributeList(horizontal ? u"HScrollBar" : u"VScrollBar");
                if (!list.empty()) {
                    bar->ApplyAttributeList(list);
                }
            }
        } else if (!enable && bar != nullptr) {
            delete bar;
            bar = nullptr;
        }
    };
    make(verticalScrollBar_, enableVertical, false);
    make(horizontalScrollBar_, enableHorizontal, true);
    NeedUpdate();
}

void CContainerUI::PlaceScrollBars(const Rect& inner) {
    if (verticalScrollBar_ != nullptr && verticalScrollBar_->IsVisible()) {
        verticalScrollBar_->SetPos(
            Rect{inner.right, inner.top, inner.right + verticalScrollBar_->GetFixedWidth(),
                 inner.bottom},
            false);
    }
    if (horizontalScrollBar_ != nullptr && horizontalScrollBar_->IsVisible()) {
        horizontalScrollBar_->SetPos(Rect{inner.left, inner.bottom, inner.right,
                                          inner.bottom + horizontalScrollBar_->GetFixedHeight()},
                                     false);
    }
}

void CContainerUI::ProcessScrollBar(Rect inner, int cxRequired, int cyRequired) {
    bool relayout = UpdateBar(verticalScrollBar_, cyRequired, inner.Height());
    relayout = UpdateBar(horizontalScrollBar_, cxRequired, inner.Width()) || relayout;
    if (relayout && !relayoutForScroll_) {
        // A bar that came or went changes the room the children have: lay them out again once.
        relayoutForScroll_ = true;
        SetPos(rcItem_, false);
        relayoutForScroll_ = false;
        return;
    }
    PlaceScrollBars(InnerRect());
    ClearUpdateNeeded();  // showing a bar asked for a layout that has just run
}

Size CContainerUI::GetScrollPos() const {
    return Size{horizontalScrollBar_ != nullptr ? horizontalScrollBar_->GetScrollPos() : 0,
                verticalScrollBar_ != nullptr ? verticalScrollBar_->GetScrollPos() : 0};
}

Size CContainerUI::GetScrollRange() const {
    return Size{horizontalScrollBar_ != nullptr ? horizontalScrollBar_->GetScrollRange() : 0,
                verticalScrollBar_ != nullptr ? verticalScrollBar_->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(Size pos) {
    const Size old = GetScrollPos();
    if (verticalScrollBar_ != nullptr && verticalScrollBar_->IsVisible()) {
        verticalScrollBar_->SetScrollPos(pos.cy);
    }
    if (horizontalScrollBar_ != nullptr && horizontalScrollBar_->IsVisible()) {
        horizontalScrollBar_->SetScrollPos(pos.cx);
    }
    const Size now = GetScrollPos();
    if (now.cx == old.cx && now.cy == old.cy) {
        return;
    }
    SetPos(rcItem_, false);
    Invalidate();
}

void CContainerUI::SetScrollStepSize(int step) {
    scrollStepSize_ = std::clamp(step, 0, kMaxExtentUI);
}

int CContainerUI::LineSize() const {
    return scrollStepSize_ > 0 ? scrollStepSize_ : DefaultLineSize();
}

int CContainerUI::DefaultLineSize() const {
    const int line = verticalScrollBar_ != nullptr ? verticalScrollBar_->GetLineSize() : 0;
    return line <= 1 ? kFallbackLineSize : line;
}

void CContainerUI::LineUp() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx, pos.cy - LineSize()});
}

void CContainerUI::LineDown() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx, pos.cy + LineSize()});
}

void CContainerUI::LineLeft() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx - HorizontalLineSize(), pos.cy});
}

void CContainerUI::LineRight() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx + HorizontalLineSize(), pos.cy});
}

// Sideways a step is never a row of tiles: the markup's step or the plain container's.
int CContainerUI::HorizontalLineSize() const {
    return scrollStepSize_ > 0 ? scrollStepSize_ : CContainerUI::DefaultLineSize();
}

void CContainerUI::PageUp() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx, pos.cy - std::max(InnerRect().Height(), LineSize())});
}

void CContainerUI::PageDown() {
    const Size pos = GetScrollPos();
    SetScrollPos(Size{pos.cx, pos.cy + std::max(InnerRect().Height(), LineSize())});
}

}  // namespace uikit
