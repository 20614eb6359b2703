#include "ui/items/GameLabeItem.h"

#include "ui/items/ItemSupport.h"

using namespace uikit;

GameLabeItem::~GameLabeItem() {
    LeaveNotifiers(manager_, *this);
}

void* GameLabeItem::GetInterface(std::u16string_view name) {
    return name == u"gameLabeItemUI" ? this : CContainerUI::GetInterface(name);
}

void GameLabeItem::DoInit() {
    if (built_) {
        return;
    }
    built_ = true;
    if (!BuildItem(*this, *this, u"gameLabeItem.xml")) {
        return;
    }
    if (CControlUI* label = FindInItem(*this, u"gameLabel")) {
        label->SetText(text_);
    }
}

void GameLabeItem::SetAttribute(std::u16string_view name, std::u16string_view value) {
    CControlUI::SetAttribute(name, value);
}
