#include "tools/desktop-driver/MarkupPlaces.h"

#include "tools/skinpreview/SkinPreview.h"

namespace desktop {

platform::Rect PlaceInMarkup(const std::u16string& file, const std::u16string& control,
                             const std::vector<std::string>& settings, int itemWidth,
                             int itemHeight) {
    PreviewRequest request;
    request.file = file;
    request.width = itemWidth;
    request.height = itemHeight;
    request.asItem = itemWidth > 0;
    request.framed = false;
    request.probes = {control};
    for (const std::string& text : settings) {
        PreviewSetting setting;
        if (ParsePreviewSetting(text, setting)) {
            request.settings.push_back(setting);
        }
    }
    const PreviewResult result = RenderSkinPreview(request);
    const auto found = result.places.find(control);
    if (found == result.places.end()) {
        return {};
    }
    return found->second;
}

platform::Point CentreOf(const platform::Rect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

platform::Point LeftBorderOf(const platform::Rect& rect) {
    return {rect.left, (rect.top + rect.bottom) / 2};
}

platform::Rect Offset(const platform::Rect& rect, platform::Point by) {
    return {rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

}  // namespace desktop
