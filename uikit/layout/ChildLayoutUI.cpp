#include "uikit/layout/ChildLayoutUI.h"

#include "uikit/builder/MarkupBuilderUI.h"

namespace uikit {

std::u16string_view CChildLayoutUI::GetClass() const {
    return u"ChildLayoutUI";
}

void* CChildLayoutUI::GetInterface(std::u16string_view name) {
    return name == u"ChildLayout" ? this : CContainerUI::GetInterface(name);
}

void CChildLayoutUI::DoInit() {
    // Once: a container that leaves a window and joins another keeps what it built.
    if (built_ || xmlFile_.empty() || manager_ == nullptr) {
        return;
    }
    built_ = true;
    CMarkupBuilderUI builder;
    builder.Create(xmlFile_, {}, nullptr, manager_, this);
}

void CChildLayoutUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"xmlfile") {
        SetChildLayoutXML(value);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

}  // namespace uikit
