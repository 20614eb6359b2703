#include "uikit/controls/ListContainerElementUI.h"

#include "uikit/controls/ListUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

std::u16string_view CListContainerElementUI::GetClass() const {
    return u"ListContainerElementUI";
}

void* CListContainerElementUI::GetInterface(std::u16string_view name) {
    if (name == u"ListItem" || name == u"ListContainerElement") {
        return this;
    }
    return CContainerUI::GetInterface(name);
}

bool CListContainerElementUI::Activate() {
    if (!CContainerUI::Activate()) {
        return false;
    }
    SendNotify(u"itemactivate");
    return true;
}

bool CListContainerElementUI::Select(bool select) {
    if (!IsEnabled()) {
        return false;
    }
    if (owner_ != nullptr && select) {
        return owner_->SelectItem(index_);
    }
    SetSelectedState(select);
    return true;
}

void CListContainerElementUI::SetSelectedState(bool selected) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    Invalidate();
}

void CListContainerElementUI::SetHotState(bool hot) {
    if (hot_ == hot) {
        return;
    }
    hot_ = hot;
    Invalidate();
}

void CListContainerElementUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_MOUSEENTER:
            if (IsEnabled() && !hot_) {
                hot_ = true;
                Invalidate();
                // A child that handles its own leave keeps it from reaching this row.
                if (manager_ != nullptr) {
                    manager_->AddMouseLeaveNeeded(this);
                }
            }
            return;
        case UIEVENT_MOUSELEAVE:
            // Moving onto one of its own children is not leaving the row.
            if (hot_ && !rcItem_.Contains(event.ptMouse)) {
                hot_ = false;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_RBUTTONDOWN:
            if (IsEnabled()) {
                SendNotify(u"itemclick");
                Select();
            }
            return;
        case UIEVENT_DBLCLICK:
            Activate();
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == kKeyReturn) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONUP:
        case UIEVENT_MOUSEMOVE:
            return;
        default:
            break;
    }
    CContainerUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(cairo_t* cr) {
    if (owner_ != nullptr) {
        const ListInfoUI& info = owner_->GetListInfo();
        uint32_t color = info.bkColor;
        if (!IsEnabled() && info.disabledBkColor != 0) {
            color = info.disabledBkColor;
        } else if (selected_ && info.selectedBkColor != 0) {
            color = info.selectedBkColor;
        } else if (hot_ && info.hotBkColor != 0) {
            color = info.hotBkColor;
        }
        if (color != 0) {
            ClipScope clip(cr, PaintRect());
            FillRect(cr, rcItem_, color);
            return;
        }
    }
    CContainerUI::PaintBkColor(cr);
}

bool CListContainerElementUI::DoPaint(cairo_t* cr, const Rect& paint, CControlUI* stopControl) {
    if (!CContainerUI::DoPaint(cr, paint, stopControl)) {
        return false;
    }
    if (owner_ == nullptr || owner_->GetListInfo().RowLineSize() <= 0) {
        return true;
    }
    const ListInfoUI& info = owner_->GetListInfo();
    ClipScope clip(cr, PaintRect());
    const int y = rcItem_.bottom - info.RowLineSize();
    FillRect(cr, Rect{rcItem_.left, y, rcItem_.right, rcItem_.bottom}, info.RowLineColor());
    return true;
}

}  // namespace uikit
