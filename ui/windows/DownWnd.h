#pragma once

#include <memory>
#include <string>
#include <vector>

#include "context/DownloadRecord.h"
#include "uikit/window/WindowImplBase.h"

class CMessageWnd;
class DownItem;

namespace uikit {
class CContainerUI;
class CControlUI;
}  // namespace uikit

// The download selection window: one ticked row per file of a game package, the count and size
// of the ticked files, and the button that hands those files to the owner with
// MSG_START_DOWNLOADS.
class DownWnd : public uikit::WindowImplBase {
  public:
    static constexpr const char16_t* kNothingTickedText = u"请选择文件";
    static constexpr const char16_t* kStartedText = u"请前往\"我的下载\"查看资源包下载进度";

    // The files are the window's own copy, already stamped with their game.
    explicit DownWnd(std::vector<DownloadRecord> files) : files_(std::move(files)) {}

    void Notify(uikit::NotifyRecordUI& msg) override;

    // The notice after the download button while it is open; null otherwise.
    CMessageWnd* OpenNotice() const { return notice_; }

  protected:
    std::string GetWindowClassName() const override { return "DownWnd"; }
    std::u16string GetSkinFile() const override { return u"DownWnd.xml"; }
    void InitWindow() override;

  private:
    void AddRow(uikit::CContainerUI& tile, const DownloadRecord& file);
    void ShowSummary(int count, int64_t totalMB);
    void Recount(const uikit::CControlUI* clickedBox);
    void StartDownloads();
    DownloadSelection TakeTicked();
    void HandOver(std::unique_ptr<DownloadSelection> list);

    std::vector<DownloadRecord> files_;
    // Row i shows records_[i], made from files_[i]; a record handed over leaves a null here.
    std::vector<std::unique_ptr<DownloadRecord>> records_;
    std::vector<DownItem*> rows_;
    uikit::CControlUI* downloadButton_ = nullptr;  // "nowDownLoadBtn"
    uikit::CControlUI* summary_ = nullptr;         // "fileCountLabel"
    CMessageWnd* notice_ = nullptr;
};
