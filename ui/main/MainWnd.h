#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "context/AppContext.h"
#include "context/DownloadRecord.h"
#include "context/MainWindowIdentity.h"
#include "download/DownWrapper.h"
#include "download/DownloadManager.h"
#include "ui/main/DownloadEndNotice.h"
#include "ui/main/DownloadsPage.h"
#include "ui/main/MainPages.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/WindowWnd.h"

class CMessageWnd;
class DownWnd;

// The program's one top-level window: the skinned frame of "MainWnd.xml", its navigation
// column and page stack, the page history behind "returnBtn", the routing of the workers'
// messages and of the download poll timer, and the close paths through the quit confirmation.
class CMainWnd : public uikit::CWindowWnd,
                 public uikit::INotifyUI,
                 public uikit::IDialogBuilderCallback,
                 private DownEngine::PollTimer {
  public:
    static constexpr uintptr_t kPollTimerId = DownEngine::DownloadManager::kPollTimerId;
    static constexpr uint32_t kPollPeriodMs = DownEngine::DownloadManager::kPollPeriodMs;

    enum Page {
        kLibraryPage = 0,
        kDetailPage = 1,
        kDownloadsPage = 4,
        kOrdersPage = 5,
        kHelpPage = 6
    };

    // Loads the download engine from the program's folder; throws DownEngine::EngineLoadError
    // when it cannot be loaded, and no window is made.
    CMainWnd(AppContext& context, MainPagesFactory pagesFactory);

    // Creates the native window (hidden or shown as `style` says); false when the markup does
    // not build.
    bool CreateMain(uint32_t style);

    uikit::CWindowManagerUI& Manager() { return m_pm; }
    const std::vector<int>& PageHistory() const { return pageHistory_; }
    int CurrentPage() const;
    // The quit confirmation while it is open; null otherwise.
    CMessageWnd* OpenConfirmation() const { return confirmation_; }
    // The download selection window while it is open; null otherwise.
    DownWnd* OpenSelection() const { return selection_; }
    DownEngine::CDownWrapper& Engine() { return engine_; }
    DownEngine::DownloadManager& Downloads() { return downloads_; }

    void Notify(uikit::NotifyRecordUI& msg) override;
    uikit::CControlUI* CreateControl(std::u16string_view tag) override;

    void SelectPage(int index);
    void GoBack();
    void ShowQuitConfirmation();
    void ShowMainMenu();
    // Lets the player pick the package's files to download, modally over this window.
    void ShowDownloadSelection(const GamePackage& package);
    virtual void RunMenuCommand(std::u16string_view name);
    // MSG_START_DOWNLOADS: the files the selection window handed over, now owned here.
    virtual void StartDownloads(std::unique_ptr<DownloadSelection> list);
    // Every timer message runs the poll first; true when it was the poll timer's.
    bool PollDownloads(uintptr_t timerId);
    // The row actions of the my-downloads page.
    void PauseDownload(DownEngine::Download& download);
    void ContinueDownload(DownEngine::Download& download);
    void StopDownload(DownEngine::Download& download);
    void RetryDownload(DownEngine::Download& download);
    // Shows the row's file selected in the file manager; the folder in force when the file is
    // not there or its name would lead outside the folder.
    void OpenDownloadFolder(DownEngine::Download& download);

  protected:
    std::string GetWindowClassName() const override { return kMainWindowClass; }
    intptr_t HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnFinalMessage(platform::WindowId window) override;

  private:
    intptr_t OnCreate();
    void InitWindow();
    void ShowDownloadsNotice();
    bool HandleAppMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    bool HandleFrameMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    void OnTimer(uintptr_t id);
    void ExitApp();
    void ActivateInstance();
    void OnClick(uikit::CControlUI& sender);
    // A click on one of a download row's buttons; false for any other control.
    bool OnRowClick(uikit::CControlUI& sender);
    // The poll timer on this window.
    void Set() override;
    void Kill() override;

    AppContext& context_;
    DownEngine::CDownWrapper engine_;
    MainPagesFactory pagesFactory_;
    std::unique_ptr<MainPages> pages_;
    uikit::CWindowManagerUI m_pm;
    DownloadsPage downloadsPage_{m_pm};
    DownEngine::DownloadManager downloads_{engine_, context_, downloadsPage_, *this};
    DownloadEndNotice endNotice_{*this};
    std::vector<int> pageHistory_;
    CMessageWnd* confirmation_ = nullptr;
    DownWnd* selection_ = nullptr;
};
