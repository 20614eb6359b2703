#include "uikit/controls/ContainerUI.h"

#include <algorithm>

#include "uikit/controls/ExtentUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    // Children go without the delayed list: the container owning them is going away itself.
    for (CControlUI* child : items_) {
        if (autoDestroy_) {
            delete child;
        }
    }
    items_.clear();
    delete verticalScrollBar_;
    delete horizontalScrollBar_;
}

std::u16string_view CContainerUI::GetClass() const {
    return u"ContainerUI";
}

void* CContainerUI::GetInterface(std::u16string_view name) {
    if (name == u"IContainer") {
        return static_cast<IContainerUI*>(this);
    }
    if (name == u"Container") {
        return static_cast<CContainerUI*>(this);
    }
    return CControlUI::GetInterface(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return items_[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    const auto found = std::ranges::find(items_, control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    const int from = GetItemIndex(control);
    if (from < 0 || index < 0 || index >= GetCount()) {
        return false;
    }
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::SetMultiItemIndex(CControlUI* start, int count, int newStart) {
    const int from = GetItemIndex(start);
    if (from < 0 || count <= 0 || from + count > GetCount() || newStart < 0 ||
        newStart + count > GetCount()) {
        return false;
    }
    std::vector<CControlUI*> run(items_.begin() + from, items_.begin() + from + count);
    items_.erase(items_.begin() + from, items_.begin() + from + count);
    items_.insert(items_.begin() + newStart, run.begin(), run.end());
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > GetCount()) {
        return false;
    }
    items_.insert(items_.begin() + index, control);
    if (manager_ != nullptr) {
        manager_->InitControls(control, this);
    } else {
        control->SetManager(nullptr, this, false);
    }
    if (!IsVisible()) {
        control->SetInternVisible(false);
    }
    NeedUpdate();
    return true;
}

void CContainerUI::ReleaseChild(CControlUI* control) {
    if (!autoDestroy_) {
        return;
    }
    // Deleting later keeps a control valid while its own notification is still on the stack.
    if (delayedDestroy_ && manager_ != nullptr) {
        manager_->AddDelayedCleanup(control);
    } else {
        delete control;
    }
}

bool CContainerUI::Remove(CControlUI* control) {
    return RemoveAt(GetItemIndex(control));
}

bool CContainerUI::RemoveAt(int index) {
    CControlUI* control = GetItemAt(index);
    if (control == nullptr) {
        return false;
    }
    items_.erase(items_.begin() + index);
    NeedUpdate();
    ReleaseChild(control);
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> removed;
    removed.swap(items_);
    for (CControlUI* control : removed) {
        ReleaseChild(control);
    }
    NeedUpdate();
}

void CContainerUI::SetInset(Rect inset) {
    rcInset_ = ClampExtent(inset);
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
    childPadding_ = ClampExtent(padding);
    NeedUpdate();
}

void CContainerUI::SetChildAlign(unsigned align) {
    childAlign_ = align;
    NeedUpdate();
}

void CContainerUI::SetChildVAlign(unsigned align) {
    childVAlign_ = align;
    NeedUpdate();
}

void CContainerUI::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    CControlUI::SetVisible(visible);
    for (CControlUI* child : items_) {
        child->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* child : items_) {
        child->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* child : items_) {
        child->SetManager(manager, this, init);
    }
    for (CControlUI* bar : {static_cast<CControlUI*>(verticalScrollBar_),
                            static_cast<CControlUI*>(horizontalScrollBar_)}) {
        if (bar != nullptr) {
            bar->SetManager(manager, this, init);
        }
    }
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindControl(const FindVisitor& visitor, const void* data,
                                      unsigned flags) {
    if ((flags & FindFlags::kVisible) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((flags & FindFlags::kEnabled) != 0 && !IsEnabled()) {
        return nullptr;
    }
    const bool hitTest = (flags & FindFlags::kHitTest) != 0;
    if (hitTest && !rcItem_.Contains(*static_cast<const Point*>(data))) {
        return nullptr;
    }
    if (cover_ != nullptr) {
        if (CControlUI* found = cover_->FindControl(visitor, data, flags)) {
            return found;
        }
    }
    if (hitTest && !mouseChildEnabled_) {
        return CControlUI::FindControl(visitor, data, flags);
    }
    for (CScrollBarUI* bar : {verticalScrollBar_, horizontalScrollBar_}) {
        if (bar != nullptr) {
            if (CControlUI* found = bar->FindControl(visitor, data, flags)) {
                return found;
            }
        }
    }
    if ((flags & FindFlags::kTopFirst) != 0) {
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
            if (CControlUI* found = (*it)->FindControl(visitor, data, flags)) {
                return found;
            }
        }
    } else {
        for (CControlUI* child : items_) {
            if (CControlUI* found = child->FindControl(visitor, data, flags)) {
                return found;
            }
        }
    }
    return CControlUI::FindControl(visitor, data, flags);
}

void CContainerUI::DoEvent(EventRecordUI& event) {
    const bool canScroll = verticalScrollBar_ != nullptr && verticalScrollBar_->IsVisible() &&
                           verticalScrollBar_->IsEnabled();
    if (canScroll && event.type == UIEVENT_SCROLLWHEEL) {
        event.wParam == 0 ? LineUp() : LineDown();
        return;
    }
    if (canScroll && event.type == UIEVENT_KEYDOWN) {
        switch (event.chKey) {
            case kKeyUp:
                LineUp();
                return;
            case kKeyDown:
                LineDown();
                return;
            case kKeyPageUp:
                PageUp();
                return;
            case kKeyPageDown:
                PageDown();
                return;
            default:
                break;
        }
    }
    CControlUI::DoEvent(event);
}

Rect CContainerUI::InnerRect() const {
    Rect inner{rcItem_.left + rcInset_.left, rcItem_.top + rcInset_.top,
               rcItem_.right - rcInset_.right, rcItem_.bottom - rcInset_.bottom};
    if (verticalScrollBar_ != nullptr && verticalScrollBar_->IsVisible()) {
        inner.right -= verticalScrollBar_->GetFixedWidth();
    }
    if (horizontalScrollBar_ != nullptr && horizontalScrollBar_->IsVisible()) {
        inner.bottom -= horizontalScrollBar_->GetFixedHeight();
    }
    return inner;
}

Size CContainerUI::AvailableSize(const Rect& inner) const {
    Size available{inner.Width(), inner.Height()};
    if (verticalScrollBar_ != nullptr && verticalScrollBar_->IsVisible()) {
        available.cy += verticalScrollBar_->GetScrollRange();
    }
    if (horizontalScrollBar_ != nullptr && horizontalScrollBar_->IsVisible()) {
        available.cx += horizontalScrollBar_->GetScrollRange();
    }
    return available;
}

int CContainerUI::ClampWidth(const CControlUI* child, int cx) {
    return std::max(child->GetMinWidth(), std::min(cx, child->GetMaxWidth()));
}

int CContainerUI::ClampHeight(const CControlUI* child, int cy) {
    return std::max(child->GetMinHeight(), std::min(cy, child->GetMaxHeight()));
}

void CContainerUI::SetPos(Rect rc, bool needInvalidate) {
    CControlUI::SetPos(rc, needInvalidate);
    const Rect inner = InnerRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = items_[static_cast<size_t>(i)];
        if (!child->IsVisible()) {
            continue;
        }
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        child->SetPos(Rect{inner.left, inner.top, inner.left + ClampWidth(child, inner.Width()),
                           inner.top + ClampHeight(child, inner.Height())},
                      false);
    }
    ProcessScrollBar(inner, 0, 0);
}

void CContainerUI::Move(Size offset, bool needInvalidate) {
    CControlUI::Move(offset, needInvalidate);
    for (CControlUI* child : items_) {
        if (child->IsVisible()) {
            child->Move(offset, false);
        }
    }
    for (CScrollBarUI* bar : {verticalScrollBar_, horizontalScrollBar_}) {
        if (bar != nullptr) {
            bar->Move(offset, false);
        }
    }
}

void CContainerUI::SetFloatPos(int index) {
    CControlUI* child = GetItemAt(index);
    if (child == nullptr || !child->IsVisible() || !child->IsFloat()) {
        return;
    }
    // Inset, padding and scrolling do not move a floating child.
    const Point xy = child->GetFixedXY();
    const FloatPercentUI pct = child->GetFloatPercent();
    const int width = rcItem_.Width();
    const int height = rcItem_.Height();
    Rect rc{rcItem_.left + xy.x, rcItem_.top + xy.y, 0, 0};
    rc.right = rc.left + child->GetFixedWidth();
    rc.bottom = rc.top + child->GetFixedHeight();
    rc.left += static_cast<int>(pct.left * width);
    rc.top += static_cast<int>(pct.top * height);
    rc.right += static_cast<int>(pct.right * width);
    rc.bottom += static_cast<int>(pct.bottom * height);
    child->SetPosByParent(rc);
}

}  // namespace uikit
