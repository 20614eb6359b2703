#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "uikit/controls/NotifyRecordUI.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"
#include "uikit/manager/ControlTimersUI.h"
#include "uikit/manager/WindowAttributesUI.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace uikit {

class Canvas;
class CControlUI;
class CToolTipWindowUI;
class IMessageFilterUI;
class INotifyUI;
class SkinArchive;

// The window message that asks the manager to deliver its queued notifications (the first
// private application message), for the window layer to post and dispatch.
inline constexpr unsigned kMsgAsyncNotify = 0x8000 + 1;

// An opaque handle of the native window; 0 = none. Only the platform layer knows what it is.
using NativeWindowId = uintptr_t;

// Drives one window's control tree: names, notifications, timers, focus and pointer tracking,
// layout and painting. It holds no native window itself; the window layer feeds it input and
// timer ticks and delivers the queued notifications when its posted message arrives.
class CWindowManagerUI {
  public:
    CWindowManagerUI();
    explicit CWindowManagerUI(const SkinArchive& archive);
    ~CWindowManagerUI();
    CWindowManagerUI(const CWindowManagerUI&) = delete;
    CWindowManagerUI& operator=(const CWindowManagerUI&) = delete;

    // Binds the manager to its native window: timers, capture, repaints and the posted
    // asynchronous-notify message all go to it from now on.
    void Init(NativeWindowId window);
    NativeWindowId GetPaintWindow() const { return window_; }
    bool HasWindow() const { return window_ != 0; }

    // Takes the built tree: every control joins the window, then the tree is laid out at the
    // next paint, which also sends "windowinit".
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return root_; }
    // Makes `control` and its subtree members of this window.
    bool InitControls(CControlUI* control, CControlUI* parent = nullptr);
    // Forgets every reference to a control that is going away.
    void ReapObjects(CControlUI* control);

    // Names: the first control of a name keeps it.
    CControlUI* FindControl(std::u16string_view name) const;
    // The topmost visible, mouse-enabled control containing the point.
    CControlUI* FindControl(Point pt) const;
    void AddName(CControlUI* control);
    void RemoveName(CControlUI* control);

    // Filters see every message first, in registration order (MessageHandler).
    bool AddPreMessageFilter(IMessageFilterUI* filter);
    bool RemovePreMessageFilter(IMessageFilterUI* filter);

    // The window's native messages, as its procedure receives them. True when the manager
    // handled the message, with the answer in `result`; otherwise the window's own handling and
    // then the default procedure go on.
    bool MessageHandler(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    // Lays out what is pending, paints the whole tree off screen and presents it.
    void PaintWindow();
    // The last frame PaintWindow drew; null before the first.
    const Canvas* LastFrame() const { return frame_.get(); }
    // Deletes the tree while the manager lives on (the window's native side is gone).
    void ReleaseTree();

    bool AddNotifier(INotifyUI* notifier);
    bool RemoveNotifier(INotifyUI* notifier);
    void SendNotify(CControlUI* sender, std::u16string_view type, uintptr_t wParam = 0,
                    intptr_t lParam = 0, bool async = false, bool enableRepeat = false);
    void SendNotify(NotifyRecordUI& msg, bool async = false, bool enableRepeat = false);
    // Hands a notification to this window's sinks only; its sender's own handlers already ran
    // in the window the sender belongs to.
    void NotifySinks(NotifyRecordUI& msg);
    // What the window does when its posted asynchronous-notify message arrives: deliver the
    // queue in order, then delete the controls waiting for deletion.
    void DeliverAsyncNotifications();
    size_t PendingNotifyCount() const { return asyncNotify_.size(); }
    // Called when something is queued, so the window layer can post its message.
    void SetAsyncPoster(std::function<void()> poster) { asyncPoster_ = std::move(poster); }

    // A removed control that may still be in use by code up the stack is deleted later.
    void AddDelayedCleanup(CControlUI* control);
    size_t DelayedCleanupCount() const { return delayedCleanup_.size(); }

    bool AddOptionGroup(std::u16string_view group, CControlUI* control);
    const std::vector<CControlUI*>* GetOptionGroup(std::u16string_view group) const;
    void RemoveOptionGroup(std::u16string_view group, CControlUI* control);

    bool SetTimer(CControlUI* control, int localId, int periodMs);
    bool KillTimer(CControlUI* control, int localId);
    void KillTimers(CControlUI* control);
    // A native timer tick; false when the id is not a live timer of this window.
    bool FireTimer(int nativeId);
    const ControlTimersUI& Timers() const { return timers_; }

    // A control that must hear when the pointer leaves it, even while a child is hovered.
    void AddMouseLeaveNeeded(CControlUI* control);

    CControlUI* GetFocus() const { return focus_; }
    void SetFocus(CControlUI* control);
    CControlUI* GetHover() const { return hover_; }
    CControlUI* GetCapture() const { return captured_; }
    Point GetMousePos() const { return mousePos_; }
    // What the tooltip window should show after a hover: the hovered control's tooltip, its
    // width and the control's rectangle. Empty text when there is none to show.
    struct ToolTipUI {
        std::u16string text;
        int width = 0;
        Rect rc;
    };
    const ToolTipUI& GetToolTip() const { return toolTip_; }
    // The native window that shows the tip; null until the first tip of a bound window.
    const CToolTipWindowUI* GetToolTipWindow() const { return toolTipWindow_.get(); }
    // A control's tooltip text or width changed: a tip it is showing follows.
    void OnToolTipChanged(CControlUI* control);

    // Input, in client coordinates, as the window layer delivers it.
    void OnMouseMove(Point pt);
    void OnLButtonDown(Point pt);
    void OnLButtonUp(Point pt);
    void OnLButtonDblClk(Point pt);
    void OnRButtonDown(Point pt);
    void OnMouseWheel(Point pt, int delta);
    void OnMouseHover(Point pt);
    void OnContextMenu(Point pt);
    void OnKeyDown(int key, uint32_t keyState = 0);
    void OnKeyUp(int key);
    void OnChar(char16_t ch);
    void OnSize(Size client);
    // True when the control under the pointer shows its own cursor (it got the set-cursor
    // event); otherwise the window keeps its default cursor.
    bool OnSetCursor(Point pt);
    void OnClose();
    // The pointer left the window: the hovered control hears it and the tooltip goes.
    void OnMouseLeaveWindow();

    Size GetClientSize() const { return clientSize_; }
    void NeedUpdate();
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void Invalidate(const Rect& rc);
    const Rect& GetDirtyRect() const { return dirty_; }
    // Lays out what changed, sends "windowinit" after the first layout, then paints.
    void LayoutIfNeeded();
    void Paint(Canvas& canvas);

    ResourceTablesUI& Resources() { return resources_; }
    const SkinArchive& Archive() const { return archive_; }
    FontPtr GetFont(int id) const { return resources_.GetFont(id); }
    std::u16string_view GetDefaultAttributeList(std::u16string_view tag) const {
        return resources_.GetDefaultAttributeList(tag);
    }

    WindowAttributesUI& Attributes() { return attributes_; }
    const WindowAttributesUI& Attributes() const { return attributes_; }
    ShadowAttributesUI& Shadow() { return shadow_; }
    // A `Window` attribute: the window's own, and the shadow's when it is one.
    void SetWindowAttribute(std::u16string_view name, std::u16string_view value);

    static uint64_t Now();

  private:
    void DispatchEvent(CControlUI* control, int type, Point pt, uintptr_t wParam = 0);
    void UpdateHover(CControlUI* newHover, Point pt);
    // A button went down at pt: the tip goes, and the control of this window under it, if any.
    CControlUI* PressTarget(Point pt);
    void SendPendingMouseLeaves(Point pt);
    void LayoutMarked(CControlUI* control);
    void DeleteDelayed();
    bool RunFilters(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    bool HandleMouse(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void TrackPointer();
    void RequestPaint();
    void ReturnFocusToOwner();
    void ShowToolTipWindow();
    // Forgets the tip and hides its window: the pointer no longer rests where it was offered.
    void CancelToolTip();
    void DestroyToolTipWindow();

    const SkinArchive& archive_;
    ResourceTablesUI resources_;
    NativeWindowId window_ = 0;
    CControlUI* root_ = nullptr;
    CControlUI* hover_ = nullptr;
    CControlUI* captured_ = nullptr;
    CControlUI* focus_ = nullptr;
    CControlUI* keyPressed_ = nullptr;
    Point mousePos_;
    ToolTipUI toolTip_;
    std::unique_ptr<CToolTipWindowUI> toolTipWindow_;
    Size clientSize_;
    Rect dirty_;
    bool updateNeeded_ = false;
    bool firstLayout_ = false;
    std::unordered_map<std::u16string, CControlUI*> names_;
    std::vector<INotifyUI*> notifiers_;
    std::vector<IMessageFilterUI*> filters_;
    std::unique_ptr<Canvas> frame_;
    bool tracking_ = false;
    std::map<std::u16string, std::vector<CControlUI*>, std::less<>> optionGroups_;
    ControlTimersUI timers_;
    std::vector<NotifyRecordUI> asyncNotify_;
    std::vector<CControlUI*> delayedCleanup_;
    std::vector<CControlUI*> mouseLeaveNeeded_;
    std::function<void()> asyncPoster_;
    WindowAttributesUI attributes_;
    ShadowAttributesUI shadow_;
};

}  // namespace uikit
