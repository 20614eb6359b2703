#include "uikit/controls/ControlUI.h"

#include <algorithm>

#include "uikit/controls/ExtentUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

Rect Normalized(Rect rc) {
    if (rc.right < rc.left) {
        rc.right = rc.left;
    }
    if (rc.bottom < rc.top) {
        rc.bottom = rc.top;
    }
    return rc;
}

Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    delete cover_;
    cover_ = nullptr;
    if (manager_ != nullptr) {
        manager_->ReapObjects(this);
    }
}

void CControlUI::Delete() {
    delete this;
}

void CControlUI::SetName(std::u16string_view name) {
    if (name == name_) {
        return;
    }
    if (manager_ != nullptr) {
        manager_->RemoveName(this);
    }
    name_ = name;
    if (manager_ != nullptr) {
        manager_->AddName(this);
    }
}

std::u16string_view CControlUI::GetClass() const {
    return u"ControlUI";
}

void* CControlUI::GetInterface(std::u16string_view name) {
    return name == u"Control" ? this : nullptr;
}

bool CControlUI::Activate() {
    return IsVisible() && IsEnabled();
}

void CControlUI::SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    // Leaving a window (the builder's provisional attach included) drops every table entry the
    // window holds for this control: names, timers, groups, pointer and focus tracking.
    if (manager_ != nullptr && manager_ != manager) {
        manager_->ReapObjects(this);
    }
    if (cover_ != nullptr) {
        cover_->SetManager(manager, this, init);
    }
    manager_ = manager;
    parent_ = parent;
    if (init && manager_ != nullptr) {
        Init();
    }
}

void CControlUI::SetCover(CControlUI* cover) {
    if (cover_ == cover) {
        return;
    }
    delete cover_;
    cover_ = cover;
    if (cover_ != nullptr) {
        cover_->SetManager(nullptr, this, false);
        if (manager_ != nullptr) {
            manager_->InitControls(cover_, this);
        }
    }
    NeedUpdate();
}

void CControlUI::SetText(std::u16string_view text) {
    if (text_ == text) {
        return;
    }
    text_ = text;
    Invalidate();
}

Rect CControlUI::GetRelativePos() const {
    if (parent_ == nullptr) {
        return rcItem_;
    }
    const Rect& p = parent_->GetPos();
    return Rect{rcItem_.left - p.left, rcItem_.top - p.top, rcItem_.right - p.left,
                rcItem_.bottom - p.top};
}

void CControlUI::SetPos(Rect rc, bool needInvalidate) {
    rc = Normalized(rc);
    const Rect old = rcItem_;
    rcItem_ = rc;
    updateNeeded_ = false;
    if (float_ && parent_ != nullptr && !placedByParent_) {
        // A floating control remembers where it sits so the parent can put it back there.
        const Rect& p = parent_->GetPos();
        fixedXY_ = Point{rc.left - p.left, rc.top - p.top};
        fixedSize_ = Size{rc.Width(), rc.Height()};
    }
    if (cover_ != nullptr && cover_->IsVisible()) {
        cover_->SetPos(rc, false);
    }
    if (needInvalidate && IsVisible() && manager_ != nullptr) {
        manager_->Invalidate(Union(old, rcItem_));
    }
}

void CControlUI::SetPosByParent(const Rect& rc) {
    placedByParent_ = true;
    SetPos(rc, false);
    placedByParent_ = false;
}

void CControlUI::Move(Size offset, bool needInvalidate) {
    // Shifts the rectangle only: a container moves its children itself, and a floating control
    // keeps the position it is placed from.
    const Rect old = rcItem_;
    rcItem_.left += offset.cx;
    rcItem_.right += offset.cx;
    rcItem_.top += offset.cy;
    rcItem_.bottom += offset.cy;
    if (cover_ != nullptr && cover_->IsVisible()) {
        cover_->Move(offset, false);
    }
    if (needInvalidate && IsVisible() && manager_ != nullptr) {
        manager_->Invalidate(Union(old, rcItem_));
    }
}

void CControlUI::SetPadding(Rect padding) {
    rcPadding_ = ClampExtent(padding);
    NeedParentUpdate();
}

void CControlUI::SetFixedXY(Point xy) {
    fixedXY_ = Point{ClampExtent(xy.x), ClampExtent(xy.y)};
    NeedParentUpdate();
}

void CControlUI::SetFloatPercent(FloatPercentUI percent) {
    // Fractions of the parent's size; a wild value must not overflow the conversion to pixels.
    const auto sane = [](double f) { return std::clamp(f, -1000.0, 1000.0); };
    floatPercent_ = FloatPercentUI{sane(percent.left), sane(percent.top), sane(percent.right),
                                   sane(percent.bottom)};
    NeedParentUpdate();
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) {
        return;
    }
    fixedSize_.cx = ClampExtent(cx);
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) {
        return;
    }
    fixedSize_.cy = ClampExtent(cy);
    NeedParentUpdate();
}

void CControlUI::SetMinWidth(int cx) {
    if (cx < 0) {
        return;
    }
    minSize_.cx = ClampExtent(cx);
    NeedParentUpdate();
}

int CControlUI::GetMaxWidth() const {
    return std::max(maxSize_.cx, minSize_.cx);
}

void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0) {
        return;
    }
    maxSize_.cx = ClampExtent(cx);
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy) {
    if (cy < 0) {
        return;
    }
    minSize_.cy = ClampExtent(cy);
    NeedParentUpdate();
}

int CControlUI::GetMaxHeight() const {
    return std::max(maxSize_.cy, minSize_.cy);
}

void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0) {
        return;
    }
    maxSize_.cy = ClampExtent(cy);
    NeedParentUpdate();
}

void CControlUI::SetToolTip(std::u16string_view text) {
    // Markup cannot hold a line break in an attribute, so "<n>" stands for one.
    std::u16string tip(text);
    for (size_t at = tip.find(u"<n>"); at != std::u16string::npos; at = tip.find(u"<n>", at)) {
        tip.replace(at, 3, u"\r\n");
        at += 2;
    }
    toolTip_ = std::move(tip);
    if (manager_ != nullptr) {
        manager_->OnToolTipChanged(this);
    }
}

void CControlUI::SetToolTipWidth(int width) {
    toolTipWidth_ = width;
    if (manager_ != nullptr) {
        manager_->OnToolTipChanged(this);
    }
}

void CControlUI::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    const bool wasVisible = IsVisible();
    visible_ = visible;
    if (focused_ && !visible && manager_ != nullptr && manager_->GetFocus() == this) {
        manager_->SetFocus(nullptr);
    }
    if (IsVisible() != wasVisible) {
        NeedParentUpdate();
    }
}

void CControlUI::SetInternVisible(bool visible) {
    internVisible_ = visible;
    if (!visible && manager_ != nullptr && manager_->GetFocus() == this) {
        manager_->SetFocus(nullptr);
    }
}

void CControlUI::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (manager_ != nullptr) {
        manager_->SetFocus(this);
    }
}

void CControlUI::SetFloat(bool isFloat) {
    if (float_ == isFloat) {
        return;
    }
    float_ = isFloat;
    NeedParentUpdate();
}

CControlUI* CControlUI::FindControl(const FindVisitor& visitor, const void* data, unsigned flags) {
    if ((flags & FindFlags::kVisible) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((flags & FindFlags::kEnabled) != 0 && !IsEnabled()) {
        return nullptr;
    }
    if ((flags & FindFlags::kHitTest) != 0 &&
        (!mouseEnabled_ || !rcItem_.Contains(*static_cast<const Point*>(data)))) {
        return nullptr;
    }
    return visitor(this, data);
}

void CControlUI::Init() {
    DoInit();
    if (manager_ != nullptr) {
        manager_->AddName(this);
    }
}

void CControlUI::Event(EventRecordUI& event) {
    for (auto& delegate : OnEvent) {
        if (!delegate(event)) {
            return;
        }
    }
    DoEvent(event);
}

void CControlUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_SETFOCUS:
            focused_ = true;
            Invalidate();
            return;
        case UIEVENT_KILLFOCUS:
            focused_ = false;
            Invalidate();
            return;
        case UIEVENT_TIMER:
            SendNotify(u"timer", event.wParam, event.lParam);
            return;
        case UIEVENT_CONTEXTMENU:
            if (menuUsed_) {
                SendNotify(u"menu", event.wParam, event.lParam);
                return;
            }
            break;
        case UIEVENT_SETCURSOR:
            return;
        default:
            break;
    }
    // What a plain control does not use goes to its parent, so an item row gets the clicks
    // and wheel turns over its labels.
    if (parent_ != nullptr) {
        parent_->DoEvent(event);
    }
}

Size CControlUI::EstimateSize(Size /*available*/) {
    return fixedSize_;
}

void CControlUI::Invalidate() {
    if (!IsVisible() || manager_ == nullptr) {
        return;
    }
    manager_->Invalidate(rcItem_);
}

void CControlUI::NeedUpdate() {
    if (!IsVisible()) {
        return;
    }
    updateNeeded_ = true;
    Invalidate();
    if (manager_ != nullptr) {
        manager_->NeedUpdate();
    }
}

void CControlUI::NeedParentUpdate() {
    if (parent_ != nullptr) {
        parent_->NeedUpdate();
        parent_->Invalidate();
    } else {
        NeedUpdate();
    }
    if (manager_ != nullptr) {
        manager_->NeedUpdate();
    }
}

void CControlUI::SendNotify(std::u16string_view type, uintptr_t wParam, intptr_t lParam,
                            bool async) {
    if (manager_ != nullptr) {
        manager_->SendNotify(this, type, wParam, lParam, async);
    }
}

}  // namespace uikit
