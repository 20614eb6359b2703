#include "platform/TextShaper.h"
#include "uikit/draw/ShapedTextFace.h"
#include "uikit/draw/TextEngine.h"

// The build's text engine where the system lays out and renders text itself.
namespace uikit {

void InitTextEngine() {
    platform::SystemTextShaper();
}

std::unique_ptr<TextFace> CreateTextFace(const FontInfo& info) {
    return std::make_unique<ShapedTextFace>(
        platform::SystemTextShaper().MakeFont(ToTextFontSpec(info)));
}

}  // namespace uikit
