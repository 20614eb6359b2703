#include "ui/main/DownloadsPage.h"

#include "ui/items/MyDownloadListLayout.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

CContainerUI* DownloadsPage::List() const {
    CControlUI* list = manager_.FindControl(u"downloadlist");
    return list != nullptr ? static_cast<CContainerUI*>(list->GetInterface(u"Container")) : nullptr;
}

DownEngine::DownloadRowView* DownloadsPage::AddRow(DownEngine::Download& download) {
    CContainerUI* list = List();
    if (list == nullptr) {
        return nullptr;
    }
    auto* row = new MyDownloadListLayout(download);
    auto* element = new CListContainerElementUI();
    element->SetFixedHeight(kRowHeight);
    element->Add(row);
    if (!list->Add(element)) {
        delete element;
        return nullptr;
    }
    return row;
}

void DownloadsPage::HideEmptyNotice() {
    if (CControlUI* notice = manager_.FindControl(u"NoContent1")) {
        notice->SetVisible(false);
    }
}
