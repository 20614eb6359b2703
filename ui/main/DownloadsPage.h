#pragma once

#include "download/Download.h"

namespace uikit {
class CContainerUI;
class CControlUI;
class CWindowManagerUI;
}  // namespace uikit

// The my-downloads page of the main window as the download manager sees it: rows appended to
// "downloadlist", each in a list element of its own, and the "NoContent1" notice above it.
class DownloadsPage : public DownEngine::DownloadListView {
  public:
    static constexpr int kRowHeight = 70;

    explicit DownloadsPage(uikit::CWindowManagerUI& manager) : manager_(manager) {}

    DownEngine::DownloadRowView* AddRow(DownEngine::Download& download) override;
    void HideEmptyNotice() override;

  private:
    uikit::CContainerUI* List() const;

    uikit::CWindowManagerUI& manager_;
};
