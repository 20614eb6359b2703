#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WindowPost.h"
#include "uikit/draw/Geometry.h"

namespace uikit {

class CControlUI;
class CToolTipWindowUI;
class ResourceTablesUI;

// The tip of one window: what the control the pointer rests on has to say, and the tooltip
// window that shows it. The tip window is made at the first tip of a bound window, owned by
// that window, and reused until the window changes or closes.
class ToolTipControllerUI {
  public:
    struct Tip {
        std::u16string text;
        int width = 0;
        Rect rc;
    };

    // The tip window is drawn in the window's default font.
    explicit ToolTipControllerUI(const ResourceTablesUI& resources);
    ~ToolTipControllerUI();
    ToolTipControllerUI(const ToolTipControllerUI&) = delete;
    ToolTipControllerUI& operator=(const ToolTipControllerUI&) = delete;

    // The native window the tip is shown over; 0 = none, and no tip window is made.
    void Bind(platform::WindowId window);
    // The pointer rests on `control` at `pointer` (client coordinates): its tip is offered, and
    // shown unless `show` is false. A control without a tip offers none.
    void Offer(const CControlUI& control, Point pointer, bool show);
    // The text or width of `control`, the hovered control, changed: a tip it offers follows.
    void OnChanged(const CControlUI& control);
    // Forgets the tip and hides its window: the pointer no longer rests where it was offered.
    void Cancel();
    // Forgets the tip and its window.
    void Destroy();

    const Tip& GetTip() const { return tip_; }
    const CToolTipWindowUI* GetWindow() const { return tipWindow_.get(); }

  private:
    void ShowWindow(Point pointer);

    const ResourceTablesUI& resources_;
    platform::WindowId window_ = 0;
    Tip tip_;
    std::unique_ptr<CToolTipWindowUI> tipWindow_;
};

}  // namespace uikit
