#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "context/AppContext.h"
#include "context/DownloadRecord.h"
#include "download/DownWrapper.h"
#include "download/Download.h"

namespace DownEngine {

// Turns the files a player picked into engine tasks, keeps each task's state in its record,
// polls the engine on the main window's timer and carries out the row actions. The downloads
// are the rows of the my-downloads page, in display order; records of started downloads live
// until the program ends. Every change of a status is written to the record file at once, so a
// run that ends without passing the exit path loses nothing.
class DownloadManager {
  public:
    static constexpr uintptr_t kPollTimerId = 1;
    static constexpr uint32_t kPollPeriodMs = 60;

    DownloadManager(CDownWrapper& engine, AppContext& context, DownloadListView& list,
                    PollTimer& timer)
        : engine_(engine), context_(context), list_(list), timer_(timer) {}

    // The record file to read at start and keep up to date; empty keeps none.
    void KeepRecordAt(std::u16string path) { recordPath_ = std::move(path); }
    // Who hears of downloads that end by themselves; null tells nobody.
    void TellEndsTo(DownloadEndListener* listener) { endListener_ = listener; }
    // Adds a row (without a task) for every download of the record file.
    void LoadRecord();

    // MSG_START_DOWNLOADS. Records are taken in order until one that already has a status;
    // each gets a task and a row. Records that get no row go with the list.
    void StartDownloads(DownloadSelection list);
    // Every timer message of the main window. True when the message is the poll timer's and
    // goes no further.
    bool PollDownloads(uintptr_t timerId);

    void PauseDownload(Download& download);
    void ContinueDownload(Download& download);
    void StopDownload(Download& download);
    void RetryDownload(Download& download);

    // The exit path: a task the engine finished since the last tick is taken as completed, every
    // other running task is paused with what it received written and recorded, the engine
    // stops, and the record is saved with running and paused downloads as failed.
    void PrepareForExit();

    // The full path of a download's file in the folder in force; empty when its name would
    // not stay inside that folder.
    std::u16string FileOf(const Download& download) const;

    const std::vector<std::unique_ptr<Download>>& Downloads() const { return downloads_; }
    bool PollTimerArmed() const { return pollTimerArmed_; }

  private:
    void ArmPollTimer();
    Download& AddRow(std::unique_ptr<DownloadRecord> record, DL_TaskHandle task);
    // Creates and starts a task for the record in the folder in force; 0 when the engine
    // refused, with the reason shown on the row once it has one.
    DL_TaskHandle CreateAndStart(const DownloadRecord& record, std::u16string& refusal);
    std::u16string RefusalOf(DL_TaskHandle task);
    void StampLoadTime(Download& download);
    void ShowFailed(Download& download, const std::u16string& reason);
    void Poll(Download& download, bool& polled, bool& changed);
    // Polls every running row and saves the record if a status changed; true if any was polled.
    bool PollRunningRows();
    void TellEnd(const Download& download, bool completed);
    void SaveRecord();

    CDownWrapper& engine_;
    AppContext& context_;
    DownloadListView& list_;
    PollTimer& timer_;
    std::u16string recordPath_;
    DownloadEndListener* endListener_ = nullptr;
    // One request block, rebuilt before every task is created.
    EngineTaskRequest request_{};
    std::vector<std::unique_ptr<Download>> downloads_;
    bool pollTimerArmed_ = false;
};

}  // namespace DownEngine
