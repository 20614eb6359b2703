#include "ui/items/MyDownloadListLayout.h"

#include "ui/items/ItemSupport.h"

using namespace uikit;

namespace {

// The buttons whose clicks the main window turns into row actions.
constexpr std::u16string_view kActionButtons[] = {u"GameStop", u"GameSuspend",   u"LoadContinue",
                                                  u"LoadFail", u"GameOperation", u"GameFolder"};

}  // namespace

void MyDownloadListLayout::OnBuilt() {
    root_ = FindInItem(*this, u"downLoadList");
    status_ = FindInItem(*this, u"GameStatus");
    time_ = FindInItem(*this, u"GameTime");
    endGroup_ = FindInItem(*this, u"GameEndLoad");
    startGroup_ = FindInItem(*this, u"GameStartLoad");
    stopGroup_ = FindInItem(*this, u"GameStopLoad");
    failGroup_ = FindInItem(*this, u"GameLoadFail");
    continueGroup_ = FindInItem(*this, u"GameContinue");
    for (std::u16string_view name : kActionButtons) {
        if (CControlUI* button = FindInItem(*this, name)) {
            button->SetTag(reinterpret_cast<uintptr_t>(this));
        }
    }
    const DownloadRecord& record = *download_->record;
    if (CControlUI* name = FindInItem(*this, u"GameName")) {
        name->SetText(record.name);
    }
    SetTimeText(record.loadTime);
    if (CControlUI* logo = FindInItem(*this, u"GameImg")) {
        logo->SetBkImage(record.img);
    }
    ShowStatusView(record.status);
}

void MyDownloadListLayout::ShowOnly(CControlUI* group) {
    for (CControlUI* each : {endGroup_, startGroup_, stopGroup_, failGroup_, continueGroup_}) {
        if (each != nullptr) {
            each->SetVisible(each == group);
        }
    }
}

void MyDownloadListLayout::ShowStatusView(int32_t status) {
    switch (status) {
        case Downloading:
            ShowOnly(stopGroup_);
            break;
        case Completed:
            ShowOnly(endGroup_);
            SetStatusText(u"下载完成");
            break;
        case Paused:
            ShowOnly(continueGroup_);
            SetStatusText(u"暂停");
            break;
        case Failed:
            ShowOnly(failGroup_);
            SetStatusText(u"下载失败");
            break;
        default:
            break;
    }
}

void MyDownloadListLayout::SetStatusText(std::u16string_view text) {
    if (status_ != nullptr && status_->GetText() != text) {
        status_->SetText(text);
    }
}

void MyDownloadListLayout::SetStatusTip(std::u16string_view text) {
    if (status_ != nullptr && status_->GetToolTip() != text) {
        status_->SetToolTip(text);
    }
}

void MyDownloadListLayout::SetTimeText(std::u16string_view text) {
    if (time_ != nullptr) {
        time_->SetText(text);
    }
}

void MyDownloadListLayout::SetHot(bool hot) {
    if (root_ != nullptr) {
        root_->SetBkColor(hot ? kItemHotColor : kItemColdColor);
    }
    ShowHandCursor(hot);
}

void MyDownloadListLayout::DoEvent(EventRecordUI& event) {
    if (const std::optional<bool> hot = HoverAfter(*this, event)) {
        SetHot(*hot);
    }
    CContainerUI::DoEvent(event);
}
