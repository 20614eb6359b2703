#include "uikit/window/ShadowUI.h"

#include <string>

#include "platform/Messages.h"
#include "platform/Present.h"
#include "platform/Window.h"
#include "uikit/draw/Canvas.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/manager/PresentCanvasUI.h"

namespace uikit {

namespace {

std::u16string Number(int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The image as a nine-part frame with the corner sizes and an empty centre.
std::u16string FrameDescriptor(const ShadowAttributesUI& attributes) {
    const Rect& c = attributes.corner;
    return u"file='" + attributes.image + u"' corner='" + Number(c.left) + u"," + Number(c.top) +
           u"," + Number(c.right) + u"," + Number(c.bottom) + u"' hole='true'";
}

}  // namespace

CShadowUI::CShadowUI(ResourceTablesUI& resources, const ShadowAttributesUI& attributes)
    : resources_(resources), attributes_(attributes) {}

CShadowUI::~CShadowUI() {
    Destroy();
}

bool CShadowUI::Wanted(const ShadowAttributesUI& attributes) {
    return attributes.show && !attributes.image.empty() && platform::ScreenSupportsTranslucency();
}

bool CShadowUI::Create(platform::WindowId host) {
    host_ = host;
    platform::WindowParams params;
    params.owner = host;
    params.className = "ShadowUI";
    params.style = platform::kStylePopup | platform::kStyleLayered | platform::kStyleClickThrough |
                   platform::kStyleNoActivate | platform::kStyleToolWindow;
    params.rect = ShadowRect();
    params.proc = platform::DefaultWindowProc;
    window_ = platform::CreateNativeWindow(params);
    if (window_ == 0) {
        return false;
    }
    Redraw();
    Show(platform::IsWindowVisible(host_) && HostFramed());
    return true;
}

// A minimised host has nothing to frame, and a maximised one fills the work area, where a
// frame around it would lie off the screen or over the desktop's panels.
bool CShadowUI::HostFramed() const {
    return !platform::IsMinimized(host_) && !platform::IsMaximized(host_);
}

platform::Rect CShadowUI::ShadowRect() const {
    const platform::Rect host = platform::GetWindowRect(host_);
    const Rect& c = attributes_.corner;
    return platform::Rect{host.left - c.left, host.top - c.top, host.right + c.right,
                          host.bottom + c.bottom};
}

void CShadowUI::Follow(uint32_t message, uintptr_t wParam, intptr_t) {
    if (window_ == 0) {
        return;
    }
    switch (message) {
        case platform::WM_MOVE:
            if (HostFramed()) {
                Place();
            }
            break;
        case platform::WM_SIZE:
            if (wParam == platform::SIZE_MINIMIZED || wParam == platform::SIZE_MAXIMIZED) {
                Show(false);
            } else {
                Place();
                Show(platform::IsWindowVisible(host_));
            }
            break;
        case platform::WM_SHOWWINDOW: {
            const bool show = wParam != 0 && HostFramed();
            if (show) {
                Place();
            }
            Show(show);
            break;
        }
        case platform::WM_DESTROY:
            Destroy();
            break;
        default:
            break;
    }
}

void CShadowUI::Place() {
    const platform::Rect rect = ShadowRect();
    const platform::Rect now = platform::GetWindowRect(window_);
    if (rect.left == now.left && rect.top == now.top && rect.Width() == now.Width() &&
        rect.Height() == now.Height()) {
        return;
    }
    platform::SetWindowRect(window_, rect);
    // A host that grew beyond the drawn frame needs a new one.
    if (bitmap_ == nullptr || bitmap_->Width() != rect.Width() ||
        bitmap_->Height() != rect.Height()) {
        Redraw();
    }
}

void CShadowUI::Redraw() {
    const platform::Rect rect = ShadowRect();
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    bitmap_ = std::make_unique<Canvas>(rect.Width(), rect.Height());
    if (!bitmap_->IsValid()) {
        return;
    }
    bitmap_->Clear(0);
    // An image that cannot be loaded leaves the shadow empty.
    ImageDescriptor descriptor = ParseImageDescriptor(FrameDescriptor(attributes_));
    DrawImageUI(bitmap_->Context(), resources_, descriptor, bitmap_->Bounds(), bitmap_->Bounds());
    PresentCanvas(window_, *bitmap_);
}

void CShadowUI::Show(bool show) {
    if (window_ == 0 || platform::IsWindowVisible(window_) == show) {
        return;
    }
    platform::ShowNativeWindow(
        window_, show ? platform::ShowCommand::ShowNoActivate : platform::ShowCommand::Hide);
}

void CShadowUI::Destroy() {
    if (window_ != 0) {
        const platform::WindowId window = window_;
        window_ = 0;
        if (platform::IsWindow(window)) {
            platform::DestroyNativeWindow(window);
        }
    }
    bitmap_.reset();
}

}  // namespace uikit
