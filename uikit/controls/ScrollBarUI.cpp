#include "uikit/controls/ScrollBarUI.h"

#include <algorithm>

#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/ExtentUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

CScrollBarUI::CScrollBarUI() {
    fixedSize_ = Size{16, 16};
}

std::u16string_view CScrollBarUI::GetClass() const {
    return u"ScrollBarUI";
}

void* CScrollBarUI::GetInterface(std::u16string_view name) {
    return name == u"ScrollBar" ? this : CControlUI::GetInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
    horizontal_ = horizontal;
}

void CScrollBarUI::SetScrollRange(int range) {
    range_ = std::max(range, 0);
    pos_ = std::min(pos_, range_);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, range_);
    if (pos == pos_) {
        return;
    }
    pos_ = pos;
    Invalidate();
    SendNotify(u"scroll", static_cast<uintptr_t>(pos_), 0, true);
}

Rect CScrollBarUI::TrackRect() const {
    Rect track = rcItem_;
    const int button = horizontal_ ? rcItem_.Height() : rcItem_.Width();
    if (horizontal_) {
        track.left += showButton1_ ? button : 0;
        track.right -= showButton2_ ? button : 0;
    } else {
        track.top += showButton1_ ? button : 0;
        track.bottom -= showButton2_ ? button : 0;
    }
    return track;
}

Rect CScrollBarUI::GetThumbRect() const {
    const Rect track = TrackRect();
    const int length = horizontal_ ? track.Width() : track.Height();
    const int breadth = horizontal_ ? track.Height() : track.Width();
    if (length <= 0) {
        return Rect{};
    }
    // The thumb shows the visible share of the content, never thinner than the bar is wide.
    int thumb = static_cast<int>(static_cast<long long>(length) * length / (length + range_));
    thumb = std::clamp(thumb, std::min(breadth, length), length);
    const int offset =
        range_ > 0 ? static_cast<int>(static_cast<long long>(length - thumb) * pos_ / range_) : 0;
    if (horizontal_) {
        return Rect{track.left + offset, track.top, track.left + offset + thumb, track.bottom};
    }
    return Rect{track.left, track.top + offset, track.right, track.top + offset + thumb};
}

void CScrollBarUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"hor") {
        SetHorizontal(ParseBool(value));
    } else if (name == u"linesize") {
        SetLineSize(std::clamp(ParseInt(value), 0, kMaxExtentUI));
    } else if (name == u"range") {
        SetScrollRange(std::clamp(ParseInt(value), 0, kMaxExtentUI * 1024));
    } else if (name == u"value") {
        SetScrollPos(ParseInt(value));
    } else if (name == u"showbutton1") {
        showButton1_ = ParseBool(value);
    } else if (name == u"showbutton2") {
        showButton2_ = ParseBool(value);
    } else if (name == u"bknormalimage") {
        bkNormalImage_.Set(value);
    } else if (name == u"thumbnormalimage") {
        thumbNormalImage_.Set(value);
    } else if (name == u"thumbhotimage") {
        thumbHotImage_.Set(value);
    } else if (name == u"thumbpushedimage") {
        thumbPushedImage_.Set(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CScrollBarUI::ScrollTo(int pos) {
    if (owner_ == nullptr) {
        SetScrollPos(pos);
        return;
    }
    const Size now = owner_->GetScrollPos();
    owner_->SetScrollPos(horizontal_ ? Size{pos, now.cy} : Size{now.cx, pos});
}

void CScrollBarUI::DragTo(Point pt) {
    const Rect track = TrackRect();
    const Rect thumb = GetThumbRect();
    const int free = horizontal_ ? track.Width() - thumb.Width() : track.Height() - thumb.Height();
    if (free <= 0) {
        return;
    }
    const int moved = horizontal_ ? pt.x - dragStart_.x : pt.y - dragStart_.y;
    ScrollTo(dragStartPos_ + static_cast<int>(static_cast<long long>(moved) * range_ / free));
}

void CScrollBarUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            const Rect thumb = GetThumbRect();
            if (thumb.Contains(event.ptMouse)) {
                dragging_ = true;
                dragStart_ = event.ptMouse;
                dragStartPos_ = pos_;
            } else {
                // A click on the track pages towards the pointer.
                const bool before =
                    horizontal_ ? event.ptMouse.x < thumb.left : event.ptMouse.y < thumb.top;
                const int page = horizontal_ ? TrackRect().Width() : TrackRect().Height();
                ScrollTo(pos_ + (before ? -page : page));
            }
            Invalidate();
            return;
        }
        case UIEVENT_MOUSEMOVE:
            if (dragging_) {
                DragTo(event.ptMouse);
            } else {
                thumbHot_ = GetThumbRect().Contains(event.ptMouse);
            }
            return;
        case UIEVENT_BUTTONUP:
            dragging_ = false;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            thumbHot_ = false;
            Invalidate();
            return;
        case UIEVENT_SCROLLWHEEL:
            if (owner_ != nullptr) {
                owner_->DoEvent(event);
            }
            return;
        default:
            CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::PaintBkImage(cairo_t* cr) {
    DrawImage(cr, bkNormalImage_);
}

void CScrollBarUI::PaintStatusImage(cairo_t* cr) {
    const Rect thumb = GetThumbRect();
    if (thumb.IsEmpty()) {
        return;
    }
    if (dragging_ && DrawImage(cr, thumbPushedImage_, thumb)) {
        return;
    }
    if (thumbHot_ && DrawImage(cr, thumbHotImage_, thumb)) {
        return;
    }
    DrawImage(cr, thumbNormalImage_, thumb);
}

}  // namespace uikit
