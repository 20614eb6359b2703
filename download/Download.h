#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "context/DownloadRecord.h"
#include "engine/DlEngine.h"

namespace DownEngine {

// What the download manager needs of a row on the my-downloads page.
class DownloadRowView {
  public:
    virtual ~DownloadRowView() = default;
    // The buttons and the status text of a status; other statuses change nothing.
    virtual void ShowStatusView(int32_t status) = 0;
    virtual void SetStatusText(std::u16string_view text) = 0;
    // The tooltip of the status text: progress in detail, or why a download failed.
    virtual void SetStatusTip(std::u16string_view text) = 0;
    virtual void SetTimeText(std::u16string_view text) = 0;
};

// One download of the list: its record, its engine task (0 when none, as for rows read from
// the record file) and its row on screen.
struct Download {
    std::unique_ptr<DownloadRecord> record;
    DL_TaskHandle taskHandle = 0;
    DownloadRowView* view = nullptr;
};

// What the download manager needs of the my-downloads page.
class DownloadListView {
  public:
    virtual ~DownloadListView() = default;
    // Appends a row for the download at the end of the list and returns it; null when the page
    // has no list to put it in.
    virtual DownloadRowView* AddRow(Download& download) = 0;
    // The list has rows: its "nothing here" notice goes.
    virtual void HideEmptyNotice() = 0;
};

// Told when a running download ends by itself, complete or failed, at the poll that sees it;
// not when the player stops it or the engine refuses to start it.
class DownloadEndListener {
  public:
    virtual ~DownloadEndListener() = default;
    virtual void DownloadEnded(const DownloadRecord& record, bool completed) = 0;
};

// The main window's poll timer (id 1, every 60 ms).
class PollTimer {
  public:
    virtual ~PollTimer() = default;
    virtual void Set() = 0;
    virtual void Kill() = 0;
};

}  // namespace DownEngine
