// The markup attributes every control understands. Names are compared exactly, as the skin
// format has always done: "textColor" is not "textcolor" and stays a custom attribute.
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "uikit/controls/ControlUI.h"
#include "uikit/controls/ExtentUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

// "pos": the position, and a size from the far edges when they give a positive one.
void ApplyPos(CControlUI& control, std::u16string_view value) {
    const Rect rc = ClampExtent(ParseRect(value));
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
    using Handler = void (*)(CControlUI&, std::u16string_view);
    // Built once; the lambdas are members' code, so they reach the protected state.
    static const std::unordered_map<std::u16string_view, Handler> handlers = {
        {u"pos", [](CControlUI& c, std::u16string_view v) { ApplyPos(c, v); }},
        {u"float", [](CControlUI& c, std::u16string_view v) { ApplyFloat(c, v); }},
        {u"padding", [](CControlUI& c, std::u16string_view v) { c.SetPadding(ParseRect(v)); }},
        {u"bkcolor", [](CControlUI& c, std::u16string_view v) { c.SetBkColor(ParseColor(v)); }},
        {u"bkcolor1", [](CControlUI& c, std::u16string_view v) { c.SetBkColor(ParseColor(v)); }},
        {u"bkcolor2",
         [](CControlUI& c, std::u16string_view v) {
             c.bkColor2_ = ParseColor(v);
             c.Invalidate();
         }},
        {u"bkcolor3",
         [](CControlUI& c, std::u16string_view v) {
             c.bkColor3_ = ParseColor(v);
             c.Invalidate();
         }},
        {u"bordercolor",
         [](CControlUI& c, std::u16string_view v) { c.SetBorderColor(ParseColor(v)); }},
        {u"focusbordercolor",
         [](CControlUI& c, std::u16string_view v) { c.focusBorderColor_ = ParseColor(v); }},
        {u"bordersize", [](CControlUI& c, std::u16string_view v) { c.ApplyBorderSize(v); }},
        {u"borderround",
         [](CControlUI& c, std::u16string_view v) {
             c.borderRound_ = ParseSize(v);
             c.Invalidate();
         }},
        {u"borderstyle",
         [](CControlUI& c, std::u16string_view v) { c.borderStyle_ = ParseInt(v); }},
        {u"bkimage", [](CControlUI& c, std::u16string_view v) { c.SetBkImage(v); }},
        {u"width", [](CControlUI& c, std::u16string_view v) { c.SetFixedWidth(ParseInt(v)); }},
        {u"height", [](CControlUI& c, std::u16string_view v) { c.SetFixedHeight(ParseInt(v)); }},
        {u"minwidth", [](CControlUI& c, std::u16string_view v) { c.SetMinWidth(ParseInt(v)); }},
        {u"minheight", [](CControlUI& c, std::u16string_view v) { c.SetMinHeight(ParseInt(v)); }},
        {u"maxwidth", [](CControlUI& c, std::u16string_view v) { c.SetMaxWidth(ParseInt(v)); }},
        {u"maxheight", [](CControlUI& c, std::u16string_view v) { c.SetMaxHeight(ParseInt(v)); }},
        {u"name", [](CControlUI& c, std::u16string_view v) { c.SetName(v); }},
        {u"text", [](CControlUI& c, std::u16string_view v) { c.SetText(v); }},
        {u"tooltip", [](CControlUI& c, std::u16string_view v) { c.SetToolTip(v); }},
        {u"userdata", [](CControlUI& c, std::u16string_view v) { c.SetUserData(v); }},
        {u"tag", [](CControlUI& c,
                    std::u16string_view v) { c.SetTag(static_cast<uintptr_t>(ParseInt(v))); }},
        {u"enabled", [](CControlUI& c, std::u16string_view v) { c.SetEnabled(ParseBool(v)); }},
        {u"mouse", [](CControlUI& c, std::u16string_view v) { c.SetMouseEnabled(ParseBool(v)); }},
        {u"keyboard",
         [](CControlUI& c, std::u16string_view v) { c.SetKeyboardEnabled(ParseBool(v)); }},
        {u"visible", [](CControlUI& c, std::u16string_view v) { c.SetVisible(ParseBool(v)); }},
        {u"menu", [](CControlUI& c, std::u16string_view v) { c.SetContextMenuUsed(ParseBool(v)); }},
        {u"shortcut",
         [](CControlUI& c, std::u16string_view v) { c.shortcut_ = v.empty() ? 0 : v.front(); }},
    };
    const auto found = handlers.find(name);
    if (found == handlers.end()) {
        AddCustomAttribute(name, value);
        return;
    }
    found->second(*this, value);
}

// One width for every side, or four widths l,t,r,b.
void CControlUI::ApplyBorderSize(std::u16string_view value) {
    int sizes[4] = {};
    if (ParseIntList(value, sizes, 4) >= 4) {
        borderSizes_ = ClampExtent(Rect{sizes[0], sizes[1], sizes[2], sizes[3]});
        borderSize_ = 0;
        Invalidate();
        return;
    }
    SetBorderSize(sizes[0]);
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
    borderSize_ = ClampExtent(size);
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
