#include "ui/items/VGameItem.h"

#include "context/Messages.h"
#include "platform/WindowPost.h"
#include "ui/items/ItemSupport.h"
#include "ui/items/TileName.h"
#include "uikit/controls/ButtonUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/image/SkinFileName.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

void VGameItem::OnBuilt() {
    background_ = FindInItem(*this, u"gameItemBk");
    caption_ = FindInItemAs<CLabelUI>(*this, u"gameInfoNameLabel", u"Label");
    coverImage_ = FindInItemAs<CButtonUI>(*this, u"gameOption", u"Button");
    if (coverImage_ != nullptr) {
        // The name comes from the server: a name that is more than a file name shows no cover.
        coverImage_->SetBkImage(SkinImageInFolder(u"img/cover/", package_->gameCoverPage));
    }
    if (caption_ != nullptr) {
        caption_->SetText(TileName(package_->name));
    }
}

void VGameItem::SetHot(bool hot) {
    if (background_ != nullptr) {
        background_->SetBkColor(hot ? kItemHotColor : kItemColdColor);
    }
    ShowHandCursor(hot);
}

void VGameItem::DoEvent(EventRecordUI& event) {
    if (const std::optional<bool> hot = HoverAfter(*this, event)) {
        SetHot(*hot);
    }
    // The detail page opens on the press; the second press of a double click arrives as a
    // double-click event and opens nothing more.
    if (event.type == UIEVENT_BUTTONDOWN && manager_ != nullptr) {
        platform::PostWindowMessage(manager_->GetPaintWindow(), MSG_SHOW_GAME_DETAIL,
                                    reinterpret_cast<uintptr_t>(package_), 0);
    }
    CContainerUI::DoEvent(event);
}
