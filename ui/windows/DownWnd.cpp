#include "ui/windows/DownWnd.h"

#include "context/Messages.h"
#include "platform/Window.h"
#include "ui/items/DownItem.h"
#include "ui/windows/MessageWnd.h"
#include "ui/windows/SelectionSummary.h"
#include "uikit/controls/CheckBoxUI.h"
#include "uikit/controls/ContainerUI.h"

using namespace uikit;

namespace {

// What a download needs of a package file. The display size and the start time belong to the
// download once it runs, so they start empty.
std::unique_ptr<DownloadRecord> RecordFor(const DownloadRecord& file) {
    auto record = std::make_unique<DownloadRecord>();
    record->name = file.name;
    record->extension = file.extension;
    record->url = file.url;
    record->size = file.size;
    record->type = file.type;
    record->status = file.status;
    record->img = file.img;
    return record;
}

// The box's state once the click being heard is done: a check box sends "click" before it
// toggles, so the clicked one still shows the old state.
bool TickedAfter(const DownItem& row, const CControlUI* clickedBox) {
    const CCheckBoxUI* box = row.CheckBox();
    if (box == nullptr) {
        return false;
    }
    return box == clickedBox ? !box->GetCheck() : box->GetCheck();
}

}  // namespace

void DownWnd::InitWindow() {
    downloadButton_ = m_pm.FindControl(u"nowDownLoadBtn");
    summary_ = m_pm.FindControl(u"fileCountLabel");
    CControlUI* tileControl = m_pm.FindControl(u"tileItem");
    auto* tile = tileControl != nullptr
                     ? static_cast<CContainerUI*>(tileControl->GetInterface(u"Container"))
                     : nullptr;
    int64_t totalMB = 0;
    for (const DownloadRecord& file : files_) {
        totalMB += file.size;
        if (tile != nullptr) {
            AddRow(*tile, file);
        }
    }
    ShowSummary(static_cast<int>(files_.size()), totalMB);
}

void DownWnd::AddRow(CContainerUI& tile, const DownloadRecord& file) {
    records_.push_back(RecordFor(file));
    auto* row = new DownItem(records_.back().get());
    rows_.push_back(row);
    tile.Add(row);
}

void DownWnd::ShowSummary(int count, int64_t totalMB) {
    if (summary_ != nullptr) {
        summary_->SetText(SummaryText(count, totalMB));
    }
}

void DownWnd::Notify(NotifyRecordUI& msg) {
    if (msg.type != u"click" || msg.sender == nullptr) {
        return;
    }
    if (msg.sender->GetName() == u"checkBtn") {
        Recount(msg.sender);
    } else if (msg.sender == downloadButton_) {
        StartDownloads();
    } else {
        WindowImplBase::Notify(msg);  // "closebtn" closes; nothing is downloaded
    }
}

void DownWnd::Recount(const CControlUI* clickedBox) {
    int count = 0;
    int64_t totalMB = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (TickedAfter(*rows_[i], clickedBox)) {
            ++count;
            totalMB += files_[i].size;
        }
    }
    ShowSummary(count, totalMB);
}

void DownWnd::StartDownloads() {
    auto list = std::make_unique<DownloadSelection>(TakeTicked());
    const bool picked = !list->empty();
    // An empty list would change nothing for the owner, so only a real one is posted.
    if (picked) {
        HandOver(std::move(list));
    }
    CMessageWnd notice(picked ? kStartedText : kNothingTickedText, false);
    notice_ = &notice;
    notice.RunOver(GetHWND(), "MessageWnd");
    notice_ = nullptr;
    // With nothing ticked the player is still choosing.
    if (picked) {
        Close(1);
    }
}

DownloadSelection DownWnd::TakeTicked() {
    DownloadSelection picked;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (records_[i] != nullptr && TickedAfter(*rows_[i], nullptr)) {
            rows_[i]->record = nullptr;
            picked.push_back(std::move(records_[i]));
        }
    }
    return picked;
}

void DownWnd::HandOver(std::unique_ptr<DownloadSelection> list) {
    // Once the post is queued the owner's handler owns the list; an owner that is gone takes
    // nothing and the list goes here.
    const platform::WindowId owner = platform::GetOwner(GetHWND());
    if (platform::PostWindowMessage(owner, MSG_START_DOWNLOADS,
                                    reinterpret_cast<uintptr_t>(list.get()), 0)) {
        static_cast<void>(list.release());
    }
}
