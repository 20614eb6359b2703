#include "ui/items/GameDetailLabeItem.h"

#include "ui/items/ItemSupport.h"
#include "ui/items/TagChips.h"

using namespace uikit;

void GameDetailLabeItem::OnBuilt() {
    CControlUI* label = FindInItem(*this, u"gameDetailLabel");
    if (label == nullptr) {
        return;
    }
    label->SetText(text_);
    // The width comes from the text as the label holds it, so what is measured is what shows.
    SetFixedWidth(ChipWidth(label->GetText().size()));
}
