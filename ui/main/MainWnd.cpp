#include "ui/main/MainWnd.h"

#include "context/EmbeddedKeys.h"
#include "context/Messages.h"
#include "download/DownloadFolder.h"
#include "download/EngineTrust.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/layout/TabLayoutUI.h"
#include "uikit/window/HitTestUI.h"
#include "uikit/window/MenuWnd.h"

CMainWnd::CMainWnd(AppContext& context, MainPagesFactory pagesFactory)
    : context_(context), engine_(context.programDir), pagesFactory_(std::move(pagesFactory)) {}

bool CMainWnd::CreateMain(uint32_t style) {
    return Create(0, kMainWindowTitle, style) != 0;
}

uikit::CControlUI* CMainWnd::CreateControl(std::u16string_view) {
    // Every tag of the main window's markup is one of the library's own.
    return nullptr;
}

intptr_t CMainWnd::OnCreate() {
    // The desktop draws no drop shadow of its own under an undecorated window here; the skin's
    // shadow window stands in for it.
    if (!BuildSkin(m_pm, u"MainWnd.xml", this, this)) {
        return -1;
    }
    InitWindow();
    return 0;
}

void CMainWnd::InitWindow() {
    context_.mainWindow.store(GetHWND());
    pageHistory_.push_back(kLibraryPage);
    if (pagesFactory_) {
        pages_ = pagesFactory_(m_pm);
    }
    engine_.Init();
    DownEngine::TrustClientCertificates(engine_, kTrustedCaPem);
    downloads_.TellEndsTo(&endNotice_);
    downloads_.KeepRecordAt(context_.recordPath);
    downloads_.LoadRecord();
    DownEngine::SettleDownloadFolder(context_);
    ShowDownloadsNotice();
}

void CMainWnd::ShowDownloadsNotice() {
    uikit::CControlUI* list = m_pm.FindControl(u"downloadlist");
    uikit::CControlUI* notice = m_pm.FindControl(u"NoContent1");
    if (list == nullptr || notice == nullptr) {
        return;
    }
    auto* rows = static_cast<uikit::CContainerUI*>(list->GetInterface(u"Container"));
    if (rows != nullptr && rows->GetCount() > 0) {
        notice->SetVisible(false);
    }
}

int CMainWnd::CurrentPage() const {
    auto* tab = m_pm.FindControl(u"gameItemsTab");
    if (tab == nullptr) {
        return -1;
    }
    auto* layout = static_cast<uikit::CTabLayoutUI*>(tab->GetInterface(u"TabLayout"));
    return layout == nullptr ? -1 : layout->GetCurSel();
}

intptr_t CMainWnd::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == platform::WM_CREATE) {
        return OnCreate();
    }
    if (HandleAppMessage(message, wParam, lParam)) {
        return 0;
    }
    intptr_t result = 0;
    if (HandleFrameMessage(message, wParam, lParam, result)) {
        return result;
    }
    if (m_pm.MessageHandler(message, wParam, lParam, result)) {
        return result;
    }
    return platform::DefaultWindowProc(GetHWND(), message, wParam, lParam);
}

bool CMainWnd::HandleAppMessage(uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
        case MSG_ACTIVATE_INSTANCE:
            ActivateInstance();
            return true;
        case MSG_EXIT_APP:
            ExitApp();
            return true;
        case MSG_SHOW_GAME_DETAIL:
            if (pages_ != nullptr && wParam != 0) {
                pages_->ShowGameDetail(*reinterpret_cast<const GamePackage*>(wParam));
            }
            pageHistory_.push_back(kDetailPage);
            return true;
        case MSG_CATALOG_LOADED:
            endNotice_.KnowCatalog(&ProcessCatalog());
            if (pages_ != nullptr) {
                pages_->FillLibrary();
            }
            return true;
        case MSG_ORDERS_LOADED:
            if (pages_ != nullptr) {
                pages_->FillOrders();
            }
            return true;
        case MSG_CATALOG_FAILED:
            if (pages_ != nullptr) {
                pages_->ShowLibraryOffline();
            }
            return true;
        case MSG_ORDERS_FAILED:
            if (pages_ != nullptr) {
                pages_->ShowOrdersOffline();
            }
            return true;
        case MSG_MENU_COMMAND:
            RunMenuCommand(uikit::ClickedMenuName());
            return true;
        case MSG_START_DOWNLOADS:
            // The list passes to this window whatever becomes of its records.
            StartDownloads(
                std::unique_ptr<DownloadSelection>(reinterpret_cast<DownloadSelection*>(wParam)));
            return true;
        case MSG_INIT_PARAMS_LOADED:
            return true;  // the parameters change nothing on screen
        case platform::WM_TIMER:
            OnTimer(wParam);
            return true;
        default:
            return false;
    }
}

bool CMainWnd::HandleFrameMessage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                  intptr_t& result) {
    result = 0;
    switch (message) {
        case platform::WM_NCHITTEST: {
            const platform::Point pt = platform::ScreenToClient(
                GetHWND(), platform::Point{platform::PointX(lParam), platform::PointY(lParam)});
            // No sizing borders: the window keeps the markup's size.
            result = uikit::SkinHitTest(m_pm, pt, false);
            return true;
        }
        case platform::WM_NCCALCSIZE:
        case platform::WM_NCPAINT:
            return true;
        case platform::WM_NCACTIVATE:
            if (platform::IsMinimized(GetHWND())) {
                return false;
            }
            result = wParam == 0 ? 1 : 0;
            return true;
        case platform::WM_CLOSE:
            // Every way of closing asks first; only the confirmation's OK ends the program.
            ShowQuitConfirmation();
            return true;
        default:
            return false;
    }
}

void CMainWnd::OnTimer(uintptr_t id) {
    if (PollDownloads(id)) {
        return;
    }
    intptr_t result = 0;
    m_pm.MessageHandler(platform::WM_TIMER, id, 0, result);
}

void CMainWnd::ExitApp() {
    downloads_.PrepareForExit();
    platform::DestroyNativeWindow(GetHWND());
}

void CMainWnd::ActivateInstance() {
    const platform::WindowId window = GetHWND();
    platform::ShowNativeWindow(window, platform::ShowCommand::Restore);
    platform::SetTopMost(window, true);
    platform::SetTopMost(window, false);
    platform::SetForegroundWindow(window);
}

void CMainWnd::OnFinalMessage(platform::WindowId) {
    // The tree stays: this can run inside a control's own click handler (a confirmed quit
    // while the close button's click is still on the stack), and the object lives until the
    // process ends anyway.
    m_pm.Init(0);
    platform::PostQuitMessage(0);
}
