#include "uikit/controls/OptionUI.h"

#include "uikit/draw/ShapePainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

std::u16string_view COptionUI::GetClass() const {
    return u"OptionUI";
}

void* COptionUI::GetInterface(std::u16string_view name) {
    return name == u"Option" ? this : CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    if (manager_ != nullptr && !group_.empty()) {
        manager_->AddOptionGroup(group_, this);
    }
}

void COptionUI::SetGroup(std::u16string_view group) {
    if (group == group_) {
        return;
    }
    if (manager_ != nullptr && !group_.empty()) {
        manager_->RemoveOptionGroup(group_, this);
    }
    group_ = group;
    if (manager_ != nullptr && !group_.empty()) {
        manager_->AddOptionGroup(group_, this);
    }
    Selected(selected_, false);
}

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) {
        return false;
    }
    Selected(group_.empty() ? !selected_ : true);
    return true;
}

void COptionUI::Selected(bool selected, bool notify) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    if (selected_ && manager_ != nullptr && !group_.empty()) {
        if (const auto* members = manager_->GetOptionGroup(group_)) {
            const std::vector<CControlUI*> others = *members;  // deselecting may change the group
            for (CControlUI* other : others) {
                if (other != this) {
                    static_cast<COptionUI*>(other)->Selected(false, notify);
                }
            }
        }
    }
    Invalidate();
    if (notify && (group_.empty() || selected_)) {
        SendNotify(u"selectchanged");
    }
}

void COptionUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"group") {
        SetGroup(value);
    } else if (name == u"selected") {
        Selected(ParseBool(value), false);
    } else if (name == u"selectedimage") {
        selectedImage_.Set(value);
    } else if (name == u"selectedhotimage") {
        selectedHotImage_.Set(value);
    } else if (name == u"selectedbkcolor") {
        selectedBkColor_ = ParseColor(value);
    } else if (name == u"selectedtextcolor") {
        selectedTextColor_ = ParseColor(value);
    } else {
        CButtonUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void COptionUI::PaintBkColor(cairo_t* cr) {
    if (selected_ && selectedBkColor_ != 0) {
        ClipScope clip(cr, PaintRect());
        FillRect(cr, rcItem_, selectedBkColor_);
        return;
    }
    CButtonUI::PaintBkColor(cr);
}

void COptionUI::PaintStatusImage(cairo_t* cr) {
    if (selected_) {
        const bool drawn =
            (hot_ && DrawImage(cr, selectedHotImage_)) || DrawImage(cr, selectedImage_);
        if (!drawn) {
            PaintButtonImages(cr);
        }
    } else {
        PaintButtonImages(cr);
    }
    PaintForeImages(cr);
}

void COptionUI::PaintText(cairo_t* cr) {
    if (selected_ && selectedTextColor_ != 0) {
        DrawLabelText(cr, selectedTextColor_);
        return;
    }
    CButtonUI::PaintText(cr);
}

}  // namespace uikit
