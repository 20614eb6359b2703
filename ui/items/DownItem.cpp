#include "ui/items/DownItem.h"

#include "ui/items/ItemSupport.h"
#include "uikit/controls/CheckBoxUI.h"

using namespace uikit;

void DownItem::OnBuilt() {
    checkBox_ = FindInItemAs<CCheckBoxUI>(*this, u"checkBtn", u"CheckBox");
    nameLabel_ = FindInItem(*this, u"nameLabel");
    box_ = FindInItem(*this, u"itemBox");
    if (nameLabel_ != nullptr && record != nullptr) {
        nameLabel_->SetText(record->name);
    }
}
