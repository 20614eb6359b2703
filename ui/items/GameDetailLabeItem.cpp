#include "ui/items/GameDetailLabeItem.h"

#include "ui/items/ItemSupport.h"
#include "ui/items/TagChips.h"

using namespace uikit;

GameDetailLabeItem::~GameDetailLabeItem() {
    LeaveNotifiers(manager_, *this);
}

void* GameDetailLabeItem::GetInterface(std::u16string_view name) {
    return name == u"gameDetailLabelItemUI" ? this : CContainerUI::GetInterface(name);
}

void GameDetailLabeItem::DoInit() {
    if (built_) {
        return;
    }
    built_ = true;
    if (!BuildItem(*this, *this, u"gameDetailLabelItem.xml")) {
        return;
    }
    CControlUI* label = FindInItem(*this, u"gameDetailLabel");
    if (label == nullptr) {
        return;
    }
    label->SetText(text_);
    // The width comes from the text as the label holds it, so what is measured is what shows.
    SetFixedWidth(ChipWidth(label->GetText().size()));
}

void GameDetailLabeItem::SetAttribute(std::u16string_view name, std::u16string_view value) {
    CControlUI::SetAttribute(name, value);
}
