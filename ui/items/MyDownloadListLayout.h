#pragma once

#include "download/Download.h"
#include "ui/items/ItemControl.h"

// One row of the my-downloads page: the game's logo, the file name, the time of the last start,
// the status text and the action buttons of the row's status. The buttons carry the row in
// their tag, so the main window's click handling finds the download they act on.
class MyDownloadListLayout : public ItemControl, public DownEngine::DownloadRowView {
  public:
    // The download lives in the download manager, which outlives the window's tree.
    explicit MyDownloadListLayout(DownEngine::Download& download)
        : ItemControl(u"DownLoadList", u"DownLoadList.xml"), download_(&download) {}

    DownEngine::Download& GetDownload() const { return *download_; }

    void ShowStatusView(int32_t status) override;
    void SetStatusText(std::u16string_view text) override;
    void SetStatusTip(std::u16string_view text) override;
    void SetTimeText(std::u16string_view text) override;

    void DoEvent(uikit::EventRecordUI& event) override;

  protected:
    void OnBuilt() override;

  private:
    void SetHot(bool hot);
    void ShowOnly(uikit::CControlUI* group);

    DownEngine::Download* download_;
    uikit::CControlUI* root_ = nullptr;    // "downLoadList"
    uikit::CControlUI* status_ = nullptr;  // "GameStatus"
    uikit::CControlUI* time_ = nullptr;    // "GameTime"
    uikit::CControlUI* endGroup_ = nullptr;
    uikit::CControlUI* startGroup_ = nullptr;
    uikit::CControlUI* stopGroup_ = nullptr;
    uikit::CControlUI* failGroup_ = nullptr;
    uikit::CControlUI* continueGroup_ = nullptr;
};
