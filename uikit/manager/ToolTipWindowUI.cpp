#include "uikit/manager/ToolTipWindowUI.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/Window.h"
#include "uikit/manager/PresentCanvasUI.h"
#include "uikit/manager/ToolTipPainterUI.h"

namespace uikit {

namespace {

// The arrow pointer's picture reaches about this far right of and below its hot spot; the tip
// starts beyond it so that it does not hide what the pointer rests on.
constexpr int kPointerRight = 10;
constexpr int kPointerBelow = 20;
// The gap between the pointer and a tip that had to go above it.
constexpr int kGapAbove = 4;

constexpr uint32_t kToolTipStyle = platform::kStylePopup | platform::kStyleToolWindow |
                                   platform::kStyleTopMost | platform::kStyleNoActivate |
                                   platform::kStyleClickThrough | platform::kStyleToolTip;

// A tip is never wider than the screen it is shown on, whatever the control asked for.
int WrapWidth(int maxTextWidth, const platform::Rect& workArea) {
    const int widest = workArea.Width() - 2 * (kToolTipBorderSize + kToolTipPaddingX);
    if (widest <= 0) {
        return maxTextWidth;
    }
    return maxTextWidth > 0 ? std::min(maxTextWidth, widest) : widest;
}

}  // namespace

platform::Rect PlaceToolTipUI(Size size, platform::Point pointer, const platform::Rect& workArea) {
    int left = pointer.x + kPointerRight;
    int top = pointer.y + kPointerBelow;
    if (left + size.cx > workArea.right) {
        left = workArea.right - size.cx;
    }
    if (top + size.cy > workArea.bottom) {
        top = pointer.y - kGapAbove - size.cy;
    }
    left = std::max(left, workArea.left);
    top = std::max(top, workArea.top);
    return platform::MakeRect(left, top, size.cx, size.cy);
}

CToolTipWindowUI::~CToolTipWindowUI() {
    Destroy();
}

bool CToolTipWindowUI::Show(platform::WindowId owner, const FontUI& font, std::u16string_view text,
                            int maxTextWidth, platform::Point pointer) {
    if (text.empty() || owner == 0 || !platform::IsWindow(owner)) {
        Hide();
        return false;
    }
    const platform::Rect workArea = platform::GetWorkArea(owner);
    const int wrapWidth = WrapWidth(maxTextWidth, workArea);
    const Size size = MeasureToolTipUI(font, text, wrapWidth);
    const platform::Rect rect = PlaceToolTipUI(size, pointer, workArea);
    if (!EnsureWindow(owner, rect)) {
        return false;
    }
    text_ = std::u16string(text);
    anchor_ = pointer;
    bitmap_ = PaintToolTipUI(font, text_, wrapWidth, size);
    platform::SetWindowRect(window_, rect);
    Present();
    if (!platform::IsWindowVisible(window_)) {
        platform::ShowNativeWindow(window_, platform::ShowCommand::ShowNoActivate);
    }
    return true;
}

bool CToolTipWindowUI::EnsureWindow(platform::WindowId owner, const platform::Rect& rect) {
    // A tip belongs to one window; another owner (the manager was bound anew) needs a new one.
    if (window_ != 0 && owner_ != owner) {
        Destroy();
    }
    if (window_ != 0) {
        return true;
    }
    platform::WindowParams params;
    params.owner = owner;
    params.className = "ToolTipUI";
    params.style = kToolTipStyle;
    params.rect = rect;
    params.proc = [this](platform::WindowId window, uint32_t message, uintptr_t wParam,
                         intptr_t lParam) {
        return HandleMessage(window, message, wParam, lParam);
    };
    window_ = platform::CreateNativeWindow(params);
    owner_ = window_ != 0 ? owner : 0;
    return window_ != 0;
}

intptr_t CToolTipWindowUI::HandleMessage(platform::WindowId window, uint32_t message,
                                         uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case platform::WM_PAINT:
            if (window == window_) {
                Present();
            }
            return 0;
        case platform::WM_NCDESTROY:
            // Gone with its owner, or by Destroy: either way there is no window to reuse.
            if (window == window_) {
                window_ = 0;
                owner_ = 0;
            }
            return 0;
        default:
            return platform::DefaultWindowProc(window, message, wParam, lParam);
    }
}

void CToolTipWindowUI::Present() {
    if (bitmap_ != nullptr) {
        PresentCanvas(window_, *bitmap_);
    }
}

void CToolTipWindowUI::Hide() {
    if (window_ != 0 && platform::IsWindowVisible(window_)) {
        platform::ShowNativeWindow(window_, platform::ShowCommand::Hide);
    }
}

void CToolTipWindowUI::Destroy() {
    if (window_ != 0) {
        const platform::WindowId window = window_;
        window_ = 0;
        owner_ = 0;
        if (platform::IsWindow(window)) {
            platform::DestroyNativeWindow(window);
        }
    }
    bitmap_.reset();
    text_.clear();
}

bool CToolTipWindowUI::IsShown() const {
    return window_ != 0 && platform::IsWindowVisible(window_);
}

}  // namespace uikit
