#include "uikit/window/WindowImplBase.h"

#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/Process.h"
#include "platform/Window.h"
#include "platform/WindowRegion.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/window/HitTestUI.h"

namespace uikit {

void WindowImplBase::Notify(NotifyRecordUI& msg) {
    if (msg.type == u"click") {
        OnClick(msg);
    }
}

void WindowImplBase::OnClick(NotifyRecordUI& msg) {
    if (msg.sender == nullptr) {
        return;
    }
    const std::u16string_view name = msg.sender->GetName();
    const platform::WindowId window = GetHWND();
    if (name == u"closebtn") {
        Close(1);
    } else if (name == u"minbtn") {
        platform::PostWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MINIMIZE, 0);
    } else if (name == u"maxbtn") {
        platform::PostWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_MAXIMIZE, 0);
    } else if (name == u"restorebtn") {
        platform::PostWindowMessage(window, platform::WM_SYSCOMMAND, platform::SC_RESTORE, 0);
    }
}

CControlUI* WindowImplBase::CreateControl(std::u16string_view) {
    return nullptr;
}

bool WindowImplBase::ResponseDefaultKeyEvent(uintptr_t key) {
    if (key == platform::VK_ESCAPE) {
        Close(1);
        return true;
    }
    return false;
}

intptr_t WindowImplBase::MessageHandler(uint32_t message, uintptr_t wParam, intptr_t,
                                        bool& handled) {
    if (message == platform::WM_KEYDOWN && ResponseDefaultKeyEvent(wParam)) {
        handled = true;
        return 1;
    }
    return 0;
}

intptr_t WindowImplBase::HandleCustomMessage(uint32_t, uintptr_t, intptr_t, bool& handled) {
    handled = false;
    return 0;
}

uintptr_t WindowImplBase::RunOver(platform::WindowId owner, const std::string& title) {
    const std::string shown = title.empty() ? GetWindowClassName() : title;
    if (Create(owner, shown, platform::kStylePopup | platform::kStyleVisible) == 0) {
        return 0;
    }
    CenterWindow();
    return ShowModal();
}

intptr_t WindowImplBase::OnCreate() {
    m_pm.AddPreMessageFilter(this);
    if (!BuildSkin(m_pm, GetSkinFile(), this, this)) {
        platform::ShowMessageBox(0, kLoadFailedText, kLoadFailedCaption);
        platform::ExitProcess(kLoadFailedExitCode);
    }
    InitWindow();
    return 0;
}

intptr_t WindowImplBase::OnNcHitTest(intptr_t lParam) {
    const platform::Point screen{platform::PointX(lParam), platform::PointY(lParam)};
    const platform::Point pt = platform::ScreenToClient(GetHWND(), screen);
    // A maximised window has no edges to drag.
    return SkinHitTest(m_pm, pt, !platform::IsMaximized(GetHWND()));
}

// Maximised, the client area is no larger than the work area, whatever the maximised size.
intptr_t WindowImplBase::OnNcCalcSize(intptr_t lParam) {
    if (lParam != 0 && platform::IsMaximized(GetHWND())) {
        auto* rect = reinterpret_cast<platform::Rect*>(lParam);
        const platform::Rect work = platform::GetWorkArea(GetHWND());
        rect->right = rect->left + work.Width();
        rect->bottom = rect->top + work.Height();
    }
    return 0;
}

// The region is made for each new size; a minimised window keeps the one it had.
void WindowImplBase::OnSize(uintptr_t wParam) {
    const Size corner = m_pm.Attributes().roundCorner;
    if (wParam == platform::SIZE_MINIMIZED || (corner.cx == 0 && corner.cy == 0)) {
        return;
    }
    const platform::Rect window = platform::GetWindowRect(GetHWND());
    platform::WindowRegion region;
    region.bounds = platform::Rect{0, 0, window.Width() + 1, window.Height() + 1};
    region.cornerWidth = corner.cx;
    region.cornerHeight = corner.cy;
    platform::SetWindowRegion(GetHWND(), region);
}

void WindowImplBase::OnGetMinMaxInfo(intptr_t lParam) {
    auto* info = reinterpret_cast<platform::MinMaxInfo*>(lParam);
    const platform::Rect work = platform::GetWorkArea(GetHWND());
    info->maxPosition = platform::Point{work.left, work.top};
    info->maxTrackSize = platform::Point{work.Width(), work.Height()};
    info->minTrackSize =
        platform::Point{m_pm.Attributes().minInfo.cx, m_pm.Attributes().minInfo.cy};
}

intptr_t WindowImplBase::OnSysCommand(uintptr_t wParam, intptr_t lParam) {
    if (wParam == platform::SC_CLOSE) {
        platform::PostWindowMessage(GetHWND(), platform::WM_CLOSE, 0, 0);
        return 0;
    }
    const platform::WindowId window = GetHWND();
    const bool wasMinimized = platform::IsMinimized(window);
    const bool wasMaximized = platform::IsMaximized(window);
    const intptr_t result =
        platform::DefaultWindowProc(window, platform::WM_SYSCOMMAND, wParam, lParam);
    if (!platform::IsWindow(window)) {
        return result;
    }
    if (wasMinimized != platform::IsMinimized(window)) {
        m_pm.NeedUpdate();
    }
    if (wasMaximized != platform::IsMaximized(window)) {
        ShowMaximizeButtons(!wasMaximized);
    }
    return result;
}

void WindowImplBase::ShowMaximizeButtons(bool maximized) {
    if (CControlUI* maximize = m_pm.FindControl(u"maxbtn")) {
        maximize->SetVisible(!maximized);
    }
    if (CControlUI* restore = m_pm.FindControl(u"restorebtn")) {
        restore->SetVisible(maximized);
    }
}

intptr_t WindowImplBase::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case platform::WM_CREATE:
            return OnCreate();
        case platform::WM_NCHITTEST:
            return OnNcHitTest(lParam);
        case platform::WM_NCCALCSIZE:
            return OnNcCalcSize(lParam);
        case platform::WM_NCPAINT:
            return 0;
        case platform::WM_SIZE:
            OnSize(wParam);
            break;  // the manager lays the tree out for the new size
        case platform::WM_GETMINMAXINFO:
            OnGetMinMaxInfo(lParam);
            break;  // the markup's own limits come on top
        case platform::WM_NCACTIVATE:
            if (!platform::IsMinimized(GetHWND())) {
                return wParam == 0 ? 1 : 0;
            }
            break;
        case platform::WM_SYSCOMMAND:
            return OnSysCommand(wParam, lParam);
        default:
            break;
    }
    bool handled = false;
    const intptr_t custom = HandleCustomMessage(message, wParam, lParam, handled);
    if (handled) {
        return custom;
    }
    intptr_t result = 0;
    if (m_pm.MessageHandler(message, wParam, lParam, result)) {
        return result;
    }
    return platform::DefaultWindowProc(GetHWND(), message, wParam, lParam);
}

void WindowImplBase::OnFinalMessage(platform::WindowId) {
    m_pm.RemovePreMessageFilter(this);
    m_pm.RemoveNotifier(this);
    m_pm.ReleaseTree();
    m_pm.Init(0);
}

}  // namespace uikit
