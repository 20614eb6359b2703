#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "uikit/draw/Geometry.h"

namespace platform {
struct MinMaxInfo;
}

namespace uikit {

// What the root `Window` element of a skin file says about its window. The platform layer reads
// it when it creates and sizes the native window.
struct WindowAttributesUI {
    Size initSize;
    Rect caption;  // l and r are insets from the sides, t and b the band's top and bottom
    Rect sizeBox;
    Size roundCorner;
    Size minInfo;
    Size maxInfo;
    bool showDirty = false;
    bool noActivate = false;
    int opacity = 255;
    bool layered = false;
    int layeredOpacity = 255;
    std::u16string layeredImage;
    uint32_t disabledFontColor = 0xFFA7A6AA;
    uint32_t defaultFontColor = 0xFF000000;
    uint32_t linkFontColor = 0xFF0000FF;
    uint32_t linkHoverFontColor = 0xFFD3215F;
    uint32_t selectedColor = 0xFFBAE4FF;
    std::map<std::u16string, std::u16string, std::less<>> custom;

    // Applies one attribute; an unknown one is kept in `custom`.
    void Apply(std::u16string_view name, std::u16string_view value);
};

// The markup's "mininfo" and "maxinfo" as the window's tracking sizes; a side the markup leaves
// at 0 keeps what the window system proposed.
void ApplyTrackingLimits(const WindowAttributesUI& attributes, platform::MinMaxInfo& info);

// The drop shadow settings, kept until the window layer draws the shadow.
struct ShadowAttributesUI {
    bool show = false;
    int size = 0;
    int darkness = 150;
    int sharpness = 5;
    Point offset;
    uint32_t color = 0xFF000000;
    std::u16string image;
    Rect corner;

    // True when the (case-sensitive) name is a shadow attribute.
    bool Apply(std::u16string_view name, std::u16string_view value);
};

}  // namespace uikit
