#include "uikit/draw/FontUI.h"

#include "uikit/draw/TextFace.h"

namespace uikit {

FontUI::FontUI(FontInfo info)
    : info_(std::move(info)), face_(CreateTextFace(info_)), metrics_(face_->Metrics()) {}

FontUI::~FontUI() = default;

std::string FontUI::ResolvedFamily() const {
    return face_->ResolvedFamily();
}

}  // namespace uikit
