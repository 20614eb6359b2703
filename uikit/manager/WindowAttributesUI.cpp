#include "uikit/manager/WindowAttributesUI.h"

#include "common/CaseFold.h"
#include "platform/Window.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

bool ApplyColor(std::u16string_view name, std::u16string_view value, WindowAttributesUI& w) {
    struct Entry {
        std::u16string_view name;
        uint32_t WindowAttributesUI::*color;
    };
    static constexpr Entry kColors[] = {
        {u"disabledfontcolor", &WindowAttributesUI::disabledFontColor},
        {u"defaultfontcolor", &WindowAttributesUI::defaultFontColor},
        {u"linkfontcolor", &WindowAttributesUI::linkFontColor},
        {u"linkhoverfontcolor", &WindowAttributesUI::linkHoverFontColor},
        {u"selectedcolor", &WindowAttributesUI::selectedColor},
    };
    for (const Entry& entry : kColors) {
        if (EqualsNoCase(name, entry.name)) {
            w.*entry.color = ParseColor(value);
            return true;
        }
    }
    return false;
}

// The attributes whose names markup must spell exactly.
bool ApplyExact(std::u16string_view name, std::u16string_view value, WindowAttributesUI& w) {
    if (name == u"noactivate") {
        w.noActivate = ParseBool(value);
    } else if (name == u"layeredopacity") {
        w.layered = true;
        w.layeredOpacity = ParseInt(value);
    } else if (name == u"layeredimage") {
        w.layered = true;
        w.layeredImage = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace

void WindowAttributesUI::Apply(std::u16string_view name, std::u16string_view value) {
    if (ApplyExact(name, value, *this) || ApplyColor(name, value, *this)) {
        return;
    }
    if (EqualsNoCase(name, u"size")) {
        initSize = ParseSize(value);
    } else if (EqualsNoCase(name, u"caption")) {
        caption = ParseRect(value);
    } else if (EqualsNoCase(name, u"sizebox")) {
        sizeBox = ParseRect(value);
    } else if (EqualsNoCase(name, u"roundcorner")) {
        roundCorner = ParseSize(value);
    } else if (EqualsNoCase(name, u"mininfo")) {
        minInfo = ParseSize(value);
    } else if (EqualsNoCase(name, u"maxinfo")) {
        maxInfo = ParseSize(value);
    } else if (EqualsNoCase(name, u"showdirty")) {
        showDirty = ParseBool(value);
    } else if (EqualsNoCase(name, u"opacity")) {
        opacity = ParseInt(value);
    } else {
        custom.insert_or_assign(std::u16string(name), std::u16string(value));
    }
}

void ApplyTrackingLimits(const WindowAttributesUI& attributes, platform::MinMaxInfo& info) {
    const auto take = [](int side, int& target) {
        if (side > 0) {
            target = side;
        }
    };
    take(attributes.minInfo.cx, info.minTrackSize.x);
    take(attributes.minInfo.cy, info.minTrackSize.y);
    take(attributes.maxInfo.cx, info.maxTrackSize.x);
    take(attributes.maxInfo.cy, info.maxTrackSize.y);
}

bool ShadowAttributesUI::Apply(std::u16string_view name, std::u16string_view value) {
    if (name == u"shadowsize") {
        size = ParseInt(value);
    } else if (name == u"shadowsharpness") {
        sharpness = ParseInt(value);
    } else if (name == u"shadowdarkness") {
        darkness = ParseInt(value);
    } else if (name == u"shadowpositon") {  // the skin format's spelling
        offset = ParsePoint(value);
    } else if (name == u"shadowcolor") {
        color = ParseColor(value);
    } else if (name == u"shadowcorner") {
        corner = ParseRect(value);
    } else if (name == u"shadowimage") {
        image = value;
    } else if (name == u"showshadow") {
        show = ParseBool(value);
    } else {
        return false;
    }
    return true;
}

}  // namespace uikit
