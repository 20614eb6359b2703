// The main window's side of downloads: the start message, the poll on every timer message,
// the row buttons of the my-downloads page and the poll timer itself.
#include <filesystem>

#include "common/TextConvert.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "ui/items/MyDownloadListLayout.h"
#include "ui/main/MainWnd.h"

void CMainWnd::StartDownloads(std::unique_ptr<DownloadSelection> list) {
    if (list != nullptr) {
        downloads_.StartDownloads(std::move(*list));
    }
}

bool CMainWnd::PollDownloads(uintptr_t timerId) {
    return downloads_.PollDownloads(timerId);
}

void CMainWnd::PauseDownload(DownEngine::Download& download) {
    downloads_.PauseDownload(download);
}

void CMainWnd::ContinueDownload(DownEngine::Download& download) {
    downloads_.ContinueDownload(download);
}

void CMainWnd::StopDownload(DownEngine::Download& download) {
    downloads_.StopDownload(download);
}

void CMainWnd::RetryDownload(DownEngine::Download& download) {
    downloads_.RetryDownload(download);
}

void CMainWnd::OpenDownloadFolder(DownEngine::Download& download) {
    const std::string file = Utf16ToAnsi(downloads_.FileOf(download));
    std::error_code error;
    if (!file.empty() && std::filesystem::is_regular_file(file, error)) {
        platform::ShowInFileManager(file);
    } else {
        platform::OpenFolder(Utf16ToAnsi(context_.downloadFolder));
    }
}

bool CMainWnd::OnRowClick(uikit::CControlUI& sender) {
    const std::u16string_view name = sender.GetName();
    const bool rowButton = name == u"GameSuspend" || name == u"GameStop" ||
                           name == u"LoadContinue" || name == u"LoadFail" ||
                           name == u"GameOperation" || name == u"GameFolder";
    auto* row = reinterpret_cast<MyDownloadListLayout*>(sender.GetTag());
    if (!rowButton || row == nullptr) {
        return false;
    }
    DownEngine::Download& download = row->GetDownload();
    if (name == u"GameSuspend") {
        PauseDownload(download);
    } else if (name == u"GameStop") {
        StopDownload(download);
    } else if (name == u"LoadContinue") {
        ContinueDownload(download);
    } else if (name == u"GameFolder") {
        OpenDownloadFolder(download);
    } else {
        RetryDownload(download);
    }
    return true;
}

void CMainWnd::Set() {
    platform::SetTimer(GetHWND(), kPollTimerId, kPollPeriodMs);
}

void CMainWnd::Kill() {
    platform::KillTimer(GetHWND(), kPollTimerId);
}
