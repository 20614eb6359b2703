#include "ui/items/OwnGamePackage.h"

#include "ui/items/GameLabeItem.h"
#include "ui/items/ItemSupport.h"
#include "ui/items/TagChips.h"

using namespace uikit;

void OwnGamePackage::OnBuilt() {
    if (CControlUI* versionName = FindInItem(*this, u"versionName")) {
        versionName->SetText(package_->name);
    }
    if (CControlUI* download = FindInItem(*this, u"versionNowDownLoadBtn")) {
        download->SetTag(reinterpret_cast<uintptr_t>(package_));
        download->SetVisible(true);
    }
    AddChips(FindInItem(*this, u"gameLabelsTileLayout"));
}

void OwnGamePackage::AddChips(CControlUI* grid) {
    auto* chips =
        grid != nullptr ? static_cast<CContainerUI*>(grid->GetInterface(u"Container")) : nullptr;
    if (chips == nullptr) {
        return;
    }
    for (std::u16string& text : SplitTags(package_->tag)) {
        chips->Add(new GameLabeItem(std::move(text)));
    }
}

void OwnGamePackage::DoEvent(EventRecordUI& event) {
    // The row has no action of its own, only its download button acts; the hand says the row
    // belongs to what is under the pointer. It keeps its white markup background.
    if (const std::optional<bool> hot = HoverAfter(*this, event)) {
        ShowHandCursor(*hot);
    }
    CContainerUI::DoEvent(event);
}
