#include "download/DownloadManager.h"

#include "common/FolderSeparator.h"
#include "download/DownloadedGamesRecord.h"
#include "download/StatusTexts.h"
#include "download/TaskRequest.h"

namespace DownEngine {
namespace {

bool IsPlainFileName(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u"..") {
        return false;
    }
    for (const char16_t c : name) {
        if (c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

std::u16string FileNameOf(const DownloadRecord& record) {
    return record.name + record.extension;
}

// Stands in for a row the page could not make, so a download never depends on its picture.
class NoRowView : public DownloadRowView {
  public:
    void ShowStatusView(int32_t) override {}
    void SetStatusText(std::u16string_view) override {}
    void SetStatusTip(std::u16string_view) override {}
    void SetTimeText(std::u16string_view) override {}
};

}  // namespace

void DownloadManager::LoadRecord() {
    if (recordPath_.empty()) {
        return;
    }
    for (std::unique_ptr<DownloadRecord>& record : LoadDownloadedGames(recordPath_)) {
        Download& download = AddRow(std::move(record), 0);
        download.view->ShowStatusView(download.record->status);
    }
}

Download& DownloadManager::AddRow(std::unique_ptr<DownloadRecord> record, DL_TaskHandle task) {
    auto download = std::make_unique<Download>();
    download->record = std::move(record);
    download->taskHandle = task;
    downloads_.push_back(std::move(download));
    Download& added = *downloads_.back();
    added.view = list_.AddRow(added);
    if (added.view == nullptr) {
        static NoRowView nowhere;
        added.view = &nowhere;
    }
    return added;
}

void DownloadManager::ArmPollTimer() {
    if (!pollTimerArmed_) {
        timer_.Set();
        pollTimerArmed_ = true;
    }
}

DL_TaskHandle DownloadManager::CreateAndStart(const DownloadRecord& record,
                                              std::u16string& refusal) {
    BuildTaskRequest(request_, record.url, FileNameOf(record), context_.downloadFolder);
    const DL_TaskHandle task = engine_.CreateTask(request_);
    if (engine_.StartTask(task) != 0) {
        return task;
    }
    refusal = RefusalOf(task);
    engine_.DeleteTask(task);
    return 0;
}

std::u16string DownloadManager::RefusalOf(DL_TaskHandle task) {
    EngineTaskReport report{};
    if (task != 0 && engine_.QueryTaskInfoEx(task, report) != 0) {
        return FailureReason(report.errorCode, report.httpStatus);
    }
    return FailureReason(DL_ERROR_NONE, 0);
}

void DownloadManager::StampLoadTime(Download& download) {
    download.record->loadTime = LoadTimeText(platform::LocalNow());
    if (download.view != nullptr) {
        download.view->SetTimeText(download.record->loadTime);
    }
}

void DownloadManager::ShowFailed(Download& download, const std::u16string& reason) {
    download.record->status = Failed;
    download.view->ShowStatusView(Failed);
    download.view->SetStatusTip(reason);
}

void DownloadManager::StartDownloads(DownloadSelection list) {
    for (std::unique_ptr<DownloadRecord>& record : list) {
        if (record == nullptr || record->status != Idle) {
            break;
        }
        record->status = Downloading;
        std::u16string refusal;
        const DL_TaskHandle task = CreateAndStart(*record, refusal);
        record->img = RowLogo(record->type);
        record->loadTime = LoadTimeText(platform::LocalNow());
        Download& download = AddRow(std::move(record), task);
        if (task == 0) {
            // A start the engine refused shows why instead of leaving no trace.
            ShowFailed(download, refusal);
            continue;
        }
        download.view->ShowStatusView(Downloading);
        ArmPollTimer();
    }
    if (!downloads_.empty()) {
        list_.HideEmptyNotice();
    }
    SaveRecord();
}

void DownloadManager::TellEnd(const Download& download, bool completed) {
    if (endListener_ != nullptr) {
        endListener_->DownloadEnded(*download.record, completed);
    }
}

void DownloadManager::Poll(Download& download, bool& polled, bool& changed) {
    EngineTaskReport report{};
    report.state = DL_STATE_DOWNLOADING;
    if (engine_.QueryTaskInfoEx(download.taskHandle, report) == 0) {
        return;
    }
    download.view->SetStatusText(DownloadingText(report.progress));
    polled = true;
    if (report.state == DL_STATE_COMPLETE) {
        download.record->status = Completed;
        download.view->ShowStatusView(Completed);
        download.view->SetStatusTip(u"");
        changed = true;
        TellEnd(download, true);
    } else if (report.state == DL_STATE_ERROR) {
        ShowFailed(download, FailureReason(report.errorCode, report.httpStatus));
        changed = true;
        TellEnd(download, false);
    } else {
        download.view->SetStatusTip(ProgressTip(report));
    }
}

bool DownloadManager::PollRunningRows() {
    bool polled = false;
    bool changed = false;
    for (const std::unique_ptr<Download>& download : downloads_) {
        if (download->record->status == Downloading) {
            Poll(*download, polled, changed);
        }
    }
    if (changed) {
        SaveRecord();
    }
    return polled;
}

bool DownloadManager::PollDownloads(uintptr_t timerId) {
    const bool polled = PollRunningRows();
    if (timerId != kPollTimerId) {
        return false;
    }
    if (!polled) {
        timer_.Kill();
        pollTimerArmed_ = false;
    }
    return true;
}

void DownloadManager::PauseDownload(Download& download) {
    download.record->status = Paused;
    engine_.ForceStopTask(download.taskHandle);
    pollTimerArmed_ = false;
    download.view->ShowStatusView(Paused);
    download.view->SetStatusTip(u"");
    SaveRecord();
}

void DownloadManager::ContinueDownload(Download& download) {
    // A row without a task (one read from a record file that kept it paused) has nothing to
    // continue: it starts a task, which resumes from what is on disk.
    if (download.taskHandle == 0) {
        RetryDownload(download);
        return;
    }
    download.record->status = Downloading;
    StampLoadTime(download);
    pollTimerArmed_ = false;
    if (engine_.StartTask(download.taskHandle) != 0) {
        ArmPollTimer();
        download.view->ShowStatusView(Downloading);
    } else {
        ShowFailed(download, RefusalOf(download.taskHandle));
    }
    SaveRecord();
}

void DownloadManager::StopDownload(Download& download) {
    download.record->status = Failed;
    engine_.ForceStopTask(download.taskHandle);
    engine_.StopTask(download.taskHandle);
    // The poll timer stays: other rows may still be downloading, and it stops itself on the
    // first tick that finds none.
    pollTimerArmed_ = false;
    engine_.DeleteTask(download.taskHandle);
    download.view->ShowStatusView(Failed);
    download.view->SetStatusTip(u"已停止下载，点击“重新下载”从中断处继续");
    SaveRecord();
}

void DownloadManager::RetryDownload(Download& download) {
    download.record->status = Downloading;
    StampLoadTime(download);
    // The finished or failed task of this file goes first, so one file never has two.
    engine_.DeleteTask(download.taskHandle);
    std::u16string refusal;
    const DL_TaskHandle task = CreateAndStart(*download.record, refusal);
    pollTimerArmed_ = false;
    download.taskHandle = task;
    if (task != 0) {
        ArmPollTimer();
        download.view->ShowStatusView(Downloading);
        download.view->SetStatusTip(u"");
    } else {
        ShowFailed(download, refusal);
    }
    SaveRecord();
}

void DownloadManager::PrepareForExit() {
    // A task may have ended between the last tick and the exit: a finished file stays finished
    // instead of becoming a failed row that the next run downloads again.
    PollRunningRows();
    for (const std::unique_ptr<Download>& download : downloads_) {
        if (download->record->status == Downloading) {
            engine_.ForceStopTask(download->taskHandle);
        }
    }
    // Stopping the engine waits until what the paused tasks received is on disk and recorded
    // in their state files, so the next run continues from there.
    engine_.UnInit();
    for (const std::unique_ptr<Download>& download : downloads_) {
        if (download->record->status == Downloading || download->record->status == Paused) {
            download->record->status = Failed;
        }
    }
    SaveRecord();
}

std::u16string DownloadManager::FileOf(const Download& download) const {
    const std::u16string name = FileNameOf(*download.record);
    if (!IsPlainFileName(name) || context_.downloadFolder.empty()) {
        return {};
    }
    return WithFolderSeparator(context_.downloadFolder) + name;
}

void DownloadManager::SaveRecord() {
    if (recordPath_.empty()) {
        return;
    }
    std::vector<const DownloadRecord*> records;
    records.reserve(downloads_.size());
    for (const std::unique_ptr<Download>& download : downloads_) {
        records.push_back(download->record.get());
    }
    SaveDownloadedGames(recordPath_, records);
}

}  // namespace DownEngine
