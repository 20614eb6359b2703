#include "uikit/window/MenuCheckStates.h"

#include "uikit/controls/IContainerUI.h"
#include "uikit/window/MenuUI.h"

namespace uikit {

namespace {

void ApplyToElement(CMenuElementUI& element, const MenuCheckStates& states) {
    if (element.IsCheckItem()) {
        const auto found = states.find(element.GetName());
        if (found != states.end()) {
            element.SetChecked(found->second);
        }
    }
    for (CMenuElementUI* sub : element.SubItems()) {
        ApplyToElement(*sub, states);
    }
}

void ApplyToTree(CControlUI* control, const MenuCheckStates& states) {
    if (auto* element = static_cast<CMenuElementUI*>(control->GetInterface(u"MenuElement"))) {
        ApplyToElement(*element, states);
    }
    auto* container = static_cast<IContainerUI*>(control->GetInterface(u"IContainer"));
    if (container == nullptr) {
        return;
    }
    for (int i = 0; i < container->GetCount(); ++i) {
        ApplyToTree(container->GetItemAt(i), states);
    }
}

}  // namespace

void ApplyCheckStates(CControlUI* root, const MenuCheckStates* states) {
    if (root != nullptr && states != nullptr && !states->empty()) {
        ApplyToTree(root, *states);
    }
}

}  // namespace uikit
