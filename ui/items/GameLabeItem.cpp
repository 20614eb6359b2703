#include "ui/items/GameLabeItem.h"

#include "ui/items/ItemSupport.h"

using namespace uikit;

void GameLabeItem::OnBuilt() {
    if (CControlUI* label = FindInItem(*this, u"gameLabel")) {
        label->SetText(text_);
    }
}
