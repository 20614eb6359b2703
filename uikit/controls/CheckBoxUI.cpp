#include "uikit/controls/CheckBoxUI.h"

namespace uikit {

std::u16string_view CCheckBoxUI::GetClass() const {
    return u"CheckBoxUI";
}

void* CCheckBoxUI::GetInterface(std::u16string_view name) {
    return name == u"CheckBox" ? this : COptionUI::GetInterface(name);
}

bool CCheckBoxUI::Activate() {
    if (!CButtonUI::Activate()) {
        return false;
    }
    Selected(!IsSelected());
    return true;
}

}  // namespace uikit
