#include "uikit/window/WindowWnd.h"

#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/ShadowUI.h"

namespace uikit {

namespace {
// What a window gets when it asks for no particular place: the markup sizes it while it is
// built, and start-up centres it afterwards.
constexpr int kDefaultSide = 400;
}  // namespace

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    // The procedure captured this object; a native window must not outlive it.
    if (hwnd_ != 0 && platform::IsWindow(hwnd_)) {
        const platform::WindowId window = hwnd_;
        hwnd_ = 0;
        platform::DestroyNativeWindow(window);
    }
}

platform::WindowId CWindowWnd::Create(platform::WindowId owner, const std::string& title,
                                      uint32_t style, const platform::Rect& rect) {
    platform::WindowParams params;
    params.owner = owner;
    params.className = GetWindowClassName();
    params.title = title;
    params.style = style;
    params.rect = rect;
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        params.rect =
            platform::Rect{rect.left, rect.top, rect.left + kDefaultSide, rect.top + kDefaultSide};
    }
    params.proc = [this](platform::WindowId window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam) { return Dispatch(window, message, wParam, lParam); };
    const platform::WindowId window = platform::CreateNativeWindow(params);
    if (window == 0) {
        hwnd_ = 0;
    }
    return window;
}

intptr_t CWindowWnd::Dispatch(platform::WindowId window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    if (hwnd_ == 0 && message != platform::WM_NCDESTROY) {
        hwnd_ = window;
    }
    if (message == platform::WM_CLOSE && modal_) {
        EndModal(wParam);
    }
    if (shadow_ != nullptr) {
        shadow_->Follow(message, wParam, lParam);
    }
    const intptr_t result = HandleMessage(message, wParam, lParam);
    if (message == platform::WM_NCDESTROY) {
        hwnd_ = 0;
        shadow_.reset();
        OnFinalMessage(window);
    }
    return result;
}

intptr_t CWindowWnd::HandleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return platform::DefaultWindowProc(hwnd_, message, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(platform::WindowId) {}

void CWindowWnd::AttachShadow(CWindowManagerUI& manager) {
    if (hwnd_ == 0 || shadow_ != nullptr || !CShadowUI::Wanted(manager.Shadow())) {
        return;
    }
    auto shadow = std::make_unique<CShadowUI>(manager.Resources(), manager.Shadow());
    if (shadow->Create(hwnd_)) {
        shadow_ = std::move(shadow);
    }
}

void CWindowWnd::CenterWindow() {
    if (hwnd_ != 0) {
        platform::CenterWindow(hwnd_);
    }
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (hwnd_ == 0) {
        return;
    }
    if (!show) {
        platform::ShowNativeWindow(hwnd_, platform::ShowCommand::Hide);
        return;
    }
    platform::ShowNativeWindow(
        hwnd_, takeFocus ? platform::ShowCommand::Show : platform::ShowCommand::ShowNoActivate);
}

void CWindowWnd::Close(uintptr_t result) {
    if (hwnd_ != 0) {
        platform::PostWindowMessage(hwnd_, platform::WM_CLOSE, result, 0);
    }
}

void CWindowWnd::EndModal(uintptr_t result) {
    // The owner is usable again the moment the dialog answers, before the dialog is gone.
    if (modalEnded_) {
        return;
    }
    modalEnded_ = true;
    modalResult_ = result;
    const platform::WindowId owner = platform::GetOwner(hwnd_);
    if (owner != 0) {
        platform::EnableWindow(owner, true);
        platform::SetFocus(owner);
    }
}

uintptr_t CWindowWnd::ShowModal() {
    if (hwnd_ == 0) {
        return 0;
    }
    const platform::WindowId window = hwnd_;
    const platform::WindowId owner = platform::GetOwner(window);
    modal_ = true;
    modalEnded_ = false;
    modalResult_ = 0;
    platform::ShowNativeWindow(window, platform::ShowCommand::Show);
    if (owner != 0) {
        platform::EnableWindow(owner, false);
    }
    platform::RunModalLoop(window);
    modal_ = false;
    if (owner != 0 && platform::IsWindow(owner)) {
        platform::EnableWindow(owner, true);
        platform::SetFocus(owner);
    }
    return modalResult_;
}

}  // namespace uikit
