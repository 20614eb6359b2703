// The main window's click routing: the navigation column, the page history behind "returnBtn",
// the frame buttons, the links to the operator's pages, the pages' retry buttons and the
// versions' download buttons.
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/Window.h"
#include "ui/main/MainWnd.h"
#include "ui/main/WebPages.h"
#include "ui/windows/DownWnd.h"
#include "ui/windows/MessageWnd.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/layout/TabLayoutUI.h"

void CMainWnd::Notify(uikit::NotifyRecordUI& msg) {
    if (msg.type == u"click" && msg.sender != nullptr) {
        OnClick(*msg.sender);
    }
}

void CMainWnd::OnClick(uikit::CControlUI& sender) {
    const std::u16string_view name = sender.GetName();
    if (name == u"GameBookBtn") {
        SelectPage(kLibraryPage);
    } else if (name == u"MyDownload") {
        SelectPage(kDownloadsPage);
    } else if (name == u"MyOrderForm") {
        SelectPage(kOrdersPage);
    } else if (name == u"UseHelpBtn") {
        SelectPage(kHelpPage);
    } else if (name == u"returnBtn") {
        GoBack();
    } else if (name == u"minBtn") {
        platform::ShowNativeWindow(GetHWND(), platform::ShowCommand::Minimize);
    } else if (name == u"closeBtn") {
        ShowQuitConfirmation();
    } else if (name == u"btnMenu") {
        ShowMainMenu();
    } else if (name == u"kefuBtn") {
        platform::OpenWebAddress(web_pages::kServiceChat);
    } else if (name == u"HelpHtmlBtn") {
        platform::OpenWebAddress(web_pages::kQuestions);
    } else if (name == u"libraryRetryBtn" && pages_ != nullptr) {
        pages_->RetryLibrary();
    } else if (name == u"ordersRetryBtn" && pages_ != nullptr) {
        pages_->RetryOrders();
    } else if (name == u"versionNowDownLoadBtn" && sender.GetTag() != 0) {
        // The version row put its package in the button's tag.
        ShowDownloadSelection(*reinterpret_cast<const GamePackage*>(sender.GetTag()));
    } else {
        OnRowClick(sender);
    }
}

void CMainWnd::SelectPage(int index) {
    uikit::CControlUI* tab = m_pm.FindControl(u"gameItemsTab");
    if (tab == nullptr) {
        return;
    }
    if (auto* layout = static_cast<uikit::CTabLayoutUI*>(tab->GetInterface(u"TabLayout"))) {
        layout->SelectItem(index);
    }
}

void CMainWnd::GoBack() {
    if (pageHistory_.empty()) {
        return;
    }
    pageHistory_.pop_back();
    if (!pageHistory_.empty()) {
        SelectPage(pageHistory_.back());
    }
}

void CMainWnd::ShowQuitConfirmation() {
    if (confirmation_ != nullptr || GetHWND() == 0) {
        return;  // one question at a time: a second close request while it is open waits
    }
    // The object outlives its window: a confirmed quit returns here after the main window,
    // and the dialog with it, is gone.
    auto* dialog = new CMessageWnd(std::u16string(), true);
    confirmation_ = dialog;
    dialog->RunOver(GetHWND(), "MessageWnd");
    confirmation_ = nullptr;
    delete dialog;
}

void CMainWnd::ShowDownloadSelection(const GamePackage& package) {
    if (selection_ != nullptr || GetHWND() == 0) {
        return;
    }
    // The catalogue's files do not carry their game; the copy is stamped so every download
    // knows which game it belongs to, and the catalogue stays as the server sent it.
    std::vector<DownloadRecord> files = package.files;
    for (DownloadRecord& file : files) {
        file.type = package.type;
    }
    DownWnd dialog(std::move(files));
    selection_ = &dialog;
    dialog.RunOver(GetHWND());
    selection_ = nullptr;
}
