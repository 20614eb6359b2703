#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "uikit/controls/NotifyRecordUI.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/Geometry.h"
#include "uikit/manager/ControlNamesUI.h"
#include "uikit/manager/ControlTimersUI.h"
#include "uikit/manager/InputRouterUI.h"
#include "uikit/manager/ListenerListUI.h"
#include "uikit/manager/NotifyQueueUI.h"
#include "uikit/manager/OptionGroupsUI.h"
#include "uikit/manager/ToolTipControllerUI.h"
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
// timer ticks and delivers the queued notifications when its posted message arrives. Each of
// those concerns is a part of its own; the manager binds them to the window and the tree.
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
    CControlUI* FindControl(std::u16string_view name) const { return names_.Find(name); }
    // The topmost visible, mouse-enabled control containing the point.
    CControlUI* FindControl(Point pt) const;
    void AddName(CControlUI* control) { names_.Add(control); }
    void RemoveName(CControlUI* control) { names_.Remove(control); }

    // Filters see every message first, in registration order (MessageHandler).
    bool AddPreMessageFilter(IMessageFilterUI* filter) { return filters_.Add(filter); }
    bool RemovePreMessageFilter(IMessageFilterUI* filter) { return filters_.Remove(filter); }

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

    bool AddNotifier(INotifyUI* notifier) { return notify_.AddNotifier(notifier); }
    bool RemoveNotifier(INotifyUI* notifier) { return notify_.RemoveNotifier(notifier); }
    void SendNotify(CControlUI* sender, std::u16string_view type, uintptr_t wParam = 0,
                    intptr_t lParam = 0, bool async = false, bool enableRepeat = false);
    void SendNotify(NotifyRecordUI& msg, bool async = false, bool enableRepeat = false) {
        notify_.Send(msg, async, enableRepeat);
    }
    // Hands a notification to this window's sinks only; its sender's own handlers already ran
    // in the window the sender belongs to.
    void NotifySinks(NotifyRecordUI& msg) { notify_.NotifySinks(msg); }
    // What the window does when its posted asynchronous-notify message arrives: deliver the
    // queue in order, then delete the controls waiting for deletion.
    void DeliverAsyncNotifications() { notify_.Deliver(); }
    size_t PendingNotifyCount() const { return notify_.PendingCount(); }
    // Called when something is queued, so the window layer can post its message.
    void SetAsyncPoster(std::function<void()> poster) { notify_.SetPoster(std::move(poster)); }

    // A removed control that may still be in use by code up the stack is deleted later.
    void AddDelayedCleanup(CControlUI* control) { notify_.AddDelayedCleanup(control); }
    size_t DelayedCleanupCount() const { return notify_.DelayedCleanupCount(); }

    bool AddOptionGroup(std::u16string_view group, CControlUI* control) {
        return optionGroups_.Add(group, control);
    }
    const std::vector<CControlUI*>* GetOptionGroup(std::u16string_view group) const {
        return optionGroups_.Find(group);
    }
    void RemoveOptionGroup(std::u16string_view group, CControlUI* control) {
        optionGroups_.Remove(group, control);
    }

    bool SetTimer(CControlUI* control, int localId, int periodMs);
    bool KillTimer(CControlUI* control, int localId);
    void KillTimers(CControlUI* control);
    // A native timer tick; false when the id is not a live timer of this window.
    bool FireTimer(int nativeId);
    const ControlTimersUI& Timers() const { return timers_; }

    // A control that must hear when the pointer leaves it, even while a child is hovered.
    void AddMouseLeaveNeeded(CControlUI* control) { input_.AddMouseLeaveNeeded(control); }

    CControlUI* GetFocus() const { return input_.GetFocus(); }
    void SetFocus(CControlUI* control) { input_.SetFocus(control); }
    CControlUI* GetHover() const { return input_.GetHover(); }
    CControlUI* GetCapture() const { return input_.GetCapture(); }
    Point GetMousePos() const { return input_.GetMousePos(); }
    // What the tooltip window should show after a hover: the hovered control's tooltip, its
    // width and the control's rectangle. Empty text when there is none to show.
    using ToolTipUI = ToolTipControllerUI::Tip;
    const ToolTipUI& GetToolTip() const { return tips_.GetTip(); }
    // The native window that shows the tip; null until the first tip of a bound window.
    const CToolTipWindowUI* GetToolTipWindow() const { return tips_.GetWindow(); }
    // A control's tooltip text or width changed: a tip it is showing follows.
    void OnToolTipChanged(CControlUI* control);

    // Input, in client coordinates, as the window layer delivers it.
    void OnMouseMove(Point pt) { input_.OnMouseMove(pt); }
    void OnLButtonDown(Point pt) { input_.OnLButtonDown(pt); }
    void OnLButtonUp(Point pt) { input_.OnLButtonUp(pt); }
    void OnLButtonDblClk(Point pt) { input_.OnLButtonDblClk(pt); }
    void OnRButtonDown(Point pt) { input_.OnRButtonDown(pt); }
    void OnMouseWheel(Point pt, int delta) { input_.OnMouseWheel(pt, delta); }
    void OnMouseHover(Point pt) { input_.OnMouseHover(pt); }
    void OnContextMenu(Point pt) { input_.OnContextMenu(pt); }
    void OnKeyDown(int key, uint32_t keyState = 0) { input_.OnKeyDown(key, keyState); }
    void OnKeyUp(int key) { input_.OnKeyUp(key); }
    void OnChar(char16_t ch) { input_.OnChar(ch); }
    void OnSize(Size client);
    // True when the control under the pointer shows its own cursor (it got the set-cursor
    // event); otherwise the window keeps its default cursor.
    bool OnSetCursor(Point pt) { return input_.OnSetCursor(pt); }
    void OnClose();
    // The pointer left the window: the hovered control hears it and the tooltip goes.
    void OnMouseLeaveWindow() { input_.OnMouseLeaveWindow(); }

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
    void StampNotify(NotifyRecordUI& msg) const;
    void LayoutMarked(CControlUI* control);
    bool RunFilters(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    bool HandleLayeredFrame(uint32_t message, intptr_t& result);
    bool HandleWindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result);
    void OnSizeMessage(uintptr_t wParam, intptr_t lParam);
    bool OnSetCursorMessage(intptr_t& result);
    void HandleKey(uint32_t message, uintptr_t wParam);
    bool HandleMouse(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void CaptureWhilePressed();
    void TrackPointer();
    void RequestPaint();
    void ReturnFocusToOwner();

    const SkinArchive& archive_;
    ResourceTablesUI resources_;
    NativeWindowId window_ = 0;
    CControlUI* root_ = nullptr;
    Size clientSize_;
    Rect dirty_;
    bool updateNeeded_ = false;
    bool firstLayout_ = false;
    std::unique_ptr<Canvas> frame_;
    bool tracking_ = false;
    ListenerListUI<IMessageFilterUI> filters_;
    ControlNamesUI names_;
    OptionGroupsUI optionGroups_;
    ControlTimersUI timers_;
    ToolTipControllerUI tips_;
    InputRouterUI input_;
    NotifyQueueUI notify_;
    WindowAttributesUI attributes_;
    ShadowAttributesUI shadow_;
};

}  // namespace uikit
