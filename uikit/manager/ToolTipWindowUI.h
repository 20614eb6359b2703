#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/WindowPost.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"

namespace uikit {

// Where a tip of `size` goes for a pointer resting at `pointer` (screen coordinates): just
// below and right of the pointer, as desktop tooltips sit, moved left to stay inside the work
// area, and above the pointer when there is no room below (so it never covers the pointer).
platform::Rect PlaceToolTipUI(Size size, platform::Point pointer, const platform::Rect& workArea);

// The one tooltip window of a window manager: a pop-up owned by the manager's window that
// never takes the focus or the mouse, stays above other windows and shows one tip at a time.
// The native window is made at the first tip and reused for the later ones.
class CToolTipWindowUI {
  public:
    CToolTipWindowUI() = default;
    ~CToolTipWindowUI();
    CToolTipWindowUI(const CToolTipWindowUI&) = delete;
    CToolTipWindowUI& operator=(const CToolTipWindowUI&) = delete;

    // Shows `text` for a pointer resting at the screen point; lines wrap at `maxTextWidth`
    // (<= 0: at the work area's width, as they do anyway when it is narrower).
    // False when the window cannot be made (the owner is gone) or the text is empty.
    bool Show(platform::WindowId owner, const FontUI& font, std::u16string_view text,
              int maxTextWidth, platform::Point pointer);
    void Hide();
    // Also what happens when the owner goes: its owned windows go with it.
    void Destroy();

    bool IsShown() const;
    platform::WindowId GetWindow() const { return window_; }
    const std::u16string& GetText() const { return text_; }
    platform::Point GetAnchor() const { return anchor_; }

  private:
    bool EnsureWindow(platform::WindowId owner, const platform::Rect& rect);
    intptr_t HandleMessage(platform::WindowId window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam);
    void Present();

    platform::WindowId window_ = 0;
    platform::WindowId owner_ = 0;
    std::u16string text_;
    platform::Point anchor_;
    std::unique_ptr<Canvas> bitmap_;
};

}  // namespace uikit
