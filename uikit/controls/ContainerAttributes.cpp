// The markup attributes and painting containers add to those of every control.
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

unsigned ParseChildAlign(std::u16string_view value) {
    if (value.find(u"center") != std::u16string_view::npos) {
        return ChildAlign::kCenter;
    }
    if (value.find(u"right") != std::u16string_view::npos) {
        return ChildAlign::kRight;
    }
    return ChildAlign::kLeft;
}

unsigned ParseChildVAlign(std::u16string_view value) {
    if (value.find(u"vcenter") != std::u16string_view::npos) {
        return ChildAlign::kVCenter;
    }
    if (value.find(u"bottom") != std::u16string_view::npos) {
        return ChildAlign::kBottom;
    }
    return ChildAlign::kTop;
}

}  // namespace

void CContainerUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"inset") {
        SetInset(ParseRect(value));
    } else if (name == u"mousechild") {
        SetMouseChildEnabled(ParseBool(value));
    } else if (name == u"vscrollbar") {
        EnableScrollBar(ParseBool(value), horizontalScrollBar_ != nullptr);
    } else if (name == u"hscrollbar") {
        EnableScrollBar(verticalScrollBar_ != nullptr, ParseBool(value));
    } else if (name == u"vscrollbarstyle") {
        EnableScrollBar(true, horizontalScrollBar_ != nullptr);
        verticalScrollBar_->ApplyAttributeList(value);
    } else if (name == u"hscrollbarstyle") {
        EnableScrollBar(verticalScrollBar_ != nullptr, true);
        horizontalScrollBar_->ApplyAttributeList(value);
    } else if (name == u"scrollstepsize") {
        SetScrollStepSize(ParseInt(value));
    } else if (name == u"childpadding") {
        SetChildPadding(ParseInt(value));
    } else if (name == u"childalign") {
        SetChildAlign(ParseChildAlign(value));
    } else if (name == u"childvalign") {
        SetChildVAlign(ParseChildVAlign(value));
    } else if (name == u"autodestroy") {
        SetAutoDestroy(ParseBool(value));
    } else if (name == u"delayeddestroy") {
        SetDelayedDestroy(ParseBool(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

bool CContainerUI::DoPaint(cairo_t* cr, const Rect& paint, CControlUI* stopControl) {
    const Rect area = Intersect(paint, rcItem_);
    if (area.IsEmpty()) {
        return true;
    }
    CControlUI::DoPaint(cr, paint, stopControl);
    {
        // Children are clipped to the inner rectangle, except floating ones, which may sit on
        // the inset.
        const Rect inner = Intersect(area, InnerRect());
        for (CControlUI* child : items_) {
            if (child == stopControl) {
                return false;
            }
            if (!child->IsVisible()) {
                continue;
            }
            const Rect clip = child->IsFloat() ? area : inner;
            const Rect childArea = Intersect(clip, child->GetPos());
            if (childArea.IsEmpty()) {
                continue;
            }
            ClipScope scope(cr, clip);
            if (!child->Paint(cr, childArea, stopControl)) {
                return false;
            }
        }
    }
    for (CScrollBarUI* bar : {verticalScrollBar_, horizontalScrollBar_}) {
        if (bar != nullptr && bar->IsVisible() && !Intersect(area, bar->GetPos()).IsEmpty()) {
            bar->Paint(cr, area, stopControl);
        }
    }
    return true;
}

}  // namespace uikit
