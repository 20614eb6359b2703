// The markup attributes every control understands. Names are compared exactly, as the skin
// format has always done: "textColor" is not "textcolor" and stays a custom attribute.
#include <cstdlib>
#include <string>

#include "uikit/AttributeSyntax.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

// "pos": the position, and a size from the far edges when they give a positive one.
void ApplyPos(CControlUI& control, std::u16string_view value) {
    const Rect rc = ParseRect(value);
    control.SetFixedXY(Point{rc.left, rc.top});
    control.SetFixedWidth(rc.right - rc.left);
    control.SetFixedHeight(rc.bottom - rc.top);
}

// "float" is "true", or four fractions of the parent's size.
bool ApplyFloat(CControlUI& control, std::u16string_view value) {
    if (value.find(u',') == std::u16string_view::npos) {
        control.SetFloat(ParseBool(value));
        return true;
    }
    const std::string narrow(value.begin(), value.end());
    FloatPercentUI percent;
    char* end = nullptr;
    percent.left = std::strtod(narrow.c_str(), &end);
    percent.top = *end == ',' ? std::strtod(end + 1, &end) : 0;
    percent.right = *end == ',' ? std::strtod(end + 1, &end) : 0;
    percent.bottom = *end == ',' ? std::strtod(end + 1, &end) : 0;
    control.SetFloatPercent(percent);
    control.SetFloat(true);
    return true;
}

}  // namespace

void CControlUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"pos") {
        ApplyPos(*this, value);
    } else if (name == u"float") {
        ApplyFloat(*this, value);
    } else if (name == u"padding") {
        SetPadding(ParseRect(value));
    } else if (name == u"bkcolor" || name == u"bkcolor1") {
        SetBkColor(ParseColor(value));
    } else if (name == u"bkcolor2") {
        bkColor2_ = ParseColor(value);
        Invalidate();
    } else if (name == u"bkcolor3") {
        bkColor3_ = ParseColor(value);
        Invalidate();
    } else if (name == u"bordercolor") {
        SetBorderColor(ParseColor(value));
    } else if (name == u"focusbordercolor") {
        focusBorderColor_ = ParseColor(value);
    } else if (name == u"bordersize") {
        int sizes[4] = {};
        if (ParseIntList(value, sizes, 4) >= 4) {
            borderSizes_ = Rect{sizes[0], sizes[1], sizes[2], sizes[3]};
            borderSize_ = 0;
        } else {
            SetBorderSize(sizes[0]);
        }
        Invalidate();
    } else if (name == u"borderround") {
        borderRound_ = ParseSize(value);
        Invalidate();
    } else if (name == u"borderstyle") {
        borderStyle_ = ParseInt(value);
    } else if (name == u"bkimage") {
        SetBkImage(value);
    } else if (name == u"width") {
        SetFixedWidth(ParseInt(value));
    } else if (name == u"height") {
        SetFixedHeight(ParseInt(value));
    } else if (name == u"minwidth") {
        SetMinWidth(ParseInt(value));
    } else if (name == u"minheight") {
        SetMinHeight(ParseInt(value));
    } else if (name == u"maxwidth") {
        SetMaxWidth(ParseInt(value));
    } else if (name == u"maxheight") {
        SetMaxHeight(ParseInt(value));
    } else if (name == u"name") {
        SetName(value);
    } else if (name == u"text") {
        SetText(value);
    } else if (name == u"tooltip") {
        SetToolTip(value);
    } else if (name == u"userdata") {
        SetUserData(value);
    } else if (name == u"tag") {
        SetTag(static_cast<uintptr_t>(ParseInt(value)));
    } else if (name == u"enabled") {
        SetEnabled(ParseBool(value));
    } else if (name == u"mouse") {
        SetMouseEnabled(ParseBool(value));
    } else if (name == u"keyboard") {
        SetKeyboardEnabled(ParseBool(value));
    } else if (name == u"visible") {
        SetVisible(ParseBool(value));
    } else if (name == u"menu") {
        SetContextMenuUsed(ParseBool(value));
    } else if (name == u"shortcut") {
        shortcut_ = value.empty() ? 0 : value.front();
    } else {
        AddCustomAttribute(name, value);
    }
}

void CControlUI::ApplyAttributeList(std::u16string_view list) {
    for (const auto& [name, value] : ParseAttributeList(list)) {
        SetAttribute(name, value);
    }
}

std::u16string_view CControlUI::GetCustomAttribute(std::u16string_view name) const {
    const auto found = customAttributes_.find(name);
    return found == customAttributes_.end() ? std::u16string_view{} : found->second;
}

void CControlUI::AddCustomAttribute(std::u16string_view name, std::u16string_view value) {
    customAttributes_.insert_or_assign(std::u16string(name), std::u16string(value));
}

bool CControlUI::HasCustomAttribute(std::u16string_view name) const {
    return customAttributes_.find(name) != customAttributes_.end();
}

void CControlUI::SetBkColor(uint32_t color) {
    if (bkColor_ == color) {
        return;
    }
    bkColor_ = color;
    Invalidate();
}

void CControlUI::SetBorderColor(uint32_t color) {
    borderColor_ = color;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    borderSize_ = size;
    borderSizes_ = Rect{};
    Invalidate();
}

void CControlUI::SetBkImage(std::u16string_view image) {
    if (image == bkImage_.Value()) {
        return;
    }
    bkImage_.Set(image);
    Invalidate();
}

}  // namespace uikit
