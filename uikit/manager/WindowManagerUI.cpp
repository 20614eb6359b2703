#include "uikit/manager/WindowManagerUI.h"

#include <algorithm>
#include <chrono>

#include "platform/Timer.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/ExtentUI.h"
#include "uikit/controls/IContainerUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/image/SkinArchive.h"

namespace uikit {

namespace {

void ForEachChild(CControlUI* control, const std::function<void(CControlUI*)>& visit) {
    auto* container = static_cast<IContainerUI*>(control->GetInterface(u"IContainer"));
    if (container == nullptr) {
        return;
    }
    for (int i = 0; i < container->GetCount(); ++i) {
        visit(container->GetItemAt(i));
    }
}

}  // namespace

CWindowManagerUI::CWindowManagerUI() : CWindowManagerUI(SkinArchive::Instance()) {}

CWindowManagerUI::CWindowManagerUI(const SkinArchive& archive)
    : archive_(archive),
      resources_(archive),
      tips_(resources_),
      input_(*this, tips_),
      notify_([this](NotifyRecordUI& msg) { StampNotify(msg); }) {}

CWindowManagerUI::~CWindowManagerUI() {
    tips_.Destroy();
    ReleaseTree();
}

void CWindowManagerUI::ReleaseTree() {
    // Every control leaves the window before the tree goes: one that outlives it (a child of
    // a container that does not delete its children) must not point back at a dead manager.
    if (CControlUI* root = root_) {
        root->SetManager(nullptr, nullptr, false);
        delete root;
    }
    root_ = nullptr;
    input_.DropTargets();
    tips_.Cancel();
    notify_.ClearQueue();
    notify_.DeleteDelayed();
}

uint64_t CWindowManagerUI::Now() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool CWindowManagerUI::AttachDialog(CControlUI* root) {
    if (root == nullptr) {
        return false;
    }
    input_.SetFocus(nullptr);
    input_.DropTargets();
    if (root_ != nullptr && root_ != root) {
        AddDelayedCleanup(root_);
    }
    root_ = root;
    updateNeeded_ = true;
    firstLayout_ = true;
    root_->NeedUpdate();
    RequestPaint();
    return InitControls(root_, nullptr);
}

bool CWindowManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    if (control == nullptr) {
        return false;
    }
    control->SetManager(this, parent != nullptr ? parent : control->GetParent(), true);
    return true;
}

void CWindowManagerUI::ReapObjects(CControlUI* control) {
    input_.Forget(control);
    if (root_ == control) {
        root_ = nullptr;
    }
    KillTimers(control);
    names_.Remove(control);
    optionGroups_.Forget(control);
    notify_.Forget(control);
}

CControlUI* CWindowManagerUI::FindControl(Point pt) const {
    if (root_ == nullptr) {
        return nullptr;
    }
    const auto hit = [](CControlUI* control, const void* data) -> CControlUI* {
        return control->GetPos().Contains(*static_cast<const Point*>(data)) ? control : nullptr;
    };
    return root_->FindControl(hit, &pt,
                              FindFlags::kVisible | FindFlags::kHitTest | FindFlags::kTopFirst);
}

void CWindowManagerUI::SendNotify(CControlUI* sender, std::u16string_view type, uintptr_t wParam,
                                  intptr_t lParam, bool async, bool enableRepeat) {
    NotifyRecordUI msg;
    msg.type = type;
    msg.sender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    notify_.Send(msg, async, enableRepeat);
}

void CWindowManagerUI::StampNotify(NotifyRecordUI& msg) const {
    msg.ptMouse = input_.GetMousePos();
    msg.timestamp = Now();
}

bool CWindowManagerUI::SetTimer(CControlUI* control, int localId, int periodMs) {
    if (control == nullptr || periodMs <= 0) {
        return false;
    }
    const int nativeId = timers_.Set(control, localId, periodMs);
    if (nativeId < 0) {
        return false;
    }
    if (window_ != 0 && !platform::SetTimer(window_, static_cast<uintptr_t>(nativeId),
                                            static_cast<uint32_t>(periodMs))) {
        timers_.Kill(control, localId);
        return false;
    }
    return true;
}

bool CWindowManagerUI::KillTimer(CControlUI* control, int localId) {
    const ControlTimersUI::Entry* entry = timers_.Find(control, localId);
    if (entry == nullptr) {
        return false;
    }
    if (window_ != 0 && !entry->killed) {
        platform::KillTimer(window_, static_cast<uintptr_t>(entry->nativeId));
    }
    return timers_.Kill(control, localId);
}

void CWindowManagerUI::KillTimers(CControlUI* control) {
    if (window_ != 0) {
        for (const ControlTimersUI::Entry& entry : timers_.Entries()) {
            if (entry.control == control && !entry.killed) {
                platform::KillTimer(window_, static_cast<uintptr_t>(entry.nativeId));
            }
        }
    }
    timers_.RemoveAll(control);
}

bool CWindowManagerUI::FireTimer(int nativeId) {
    const ControlTimersUI::Entry* entry = timers_.FindLive(nativeId);
    if (entry == nullptr) {
        return false;
    }
    input_.Dispatch(entry->control, UIEVENT_TIMER, input_.GetMousePos(),
                    static_cast<uintptr_t>(entry->localId));
    return true;
}

void CWindowManagerUI::NeedUpdate() {
    updateNeeded_ = true;
    RequestPaint();
}

void CWindowManagerUI::Invalidate(const Rect& rc) {
    if (rc.IsEmpty()) {
        return;
    }
    RequestPaint();
    if (dirty_.IsEmpty()) {
        dirty_ = rc;
        return;
    }
    dirty_ = Rect{std::min(dirty_.left, rc.left), std::min(dirty_.top, rc.top),
                  std::max(dirty_.right, rc.right), std::max(dirty_.bottom, rc.bottom)};
}

void CWindowManagerUI::LayoutMarked(CControlUI* control) {
    if (control->IsUpdateNeeded()) {
        control->SetPos(control->GetPos(), false);
        return;
    }
    ForEachChild(control, [this](CControlUI* child) { LayoutMarked(child); });
}

void CWindowManagerUI::LayoutIfNeeded() {
    if (root_ == nullptr || !updateNeeded_) {
        return;
    }
    updateNeeded_ = false;
    const Rect client{0, 0, clientSize_.cx, clientSize_.cy};
    if (root_->IsUpdateNeeded() || root_->GetPos() != client) {
        root_->SetPos(client, true);
    } else {
        LayoutMarked(root_);
    }
    if (firstLayout_) {
        firstLayout_ = false;
        SendNotify(root_, u"windowinit");
    }
}

void CWindowManagerUI::Paint(Canvas& canvas) {
    LayoutIfNeeded();
    if (root_ != nullptr && canvas.IsValid()) {
        root_->Paint(canvas.Context(), canvas.Bounds());
    }
    dirty_ = Rect{};
}

void CWindowManagerUI::OnSize(Size client) {
    clientSize_ =
        Size{std::clamp(client.cx, 0, kMaxExtentUI), std::clamp(client.cy, 0, kMaxExtentUI)};
    input_.Dispatch(input_.GetFocus(), UIEVENT_WINDOWSIZE, input_.GetMousePos());
    if (root_ != nullptr) {
        root_->NeedUpdate();
    }
    updateNeeded_ = true;
}

void CWindowManagerUI::OnClose() {
    tips_.Destroy();
    input_.OnClose();
}

void CWindowManagerUI::OnToolTipChanged(CControlUI* control) {
    if (control != nullptr && control == input_.GetHover()) {
        tips_.OnChanged(*control);
    }
}

void CWindowManagerUI::SetWindowAttribute(std::u16string_view name, std::u16string_view value) {
    const Size before = attributes_.initSize;
    attributes_.Apply(name, value);
    shadow_.Apply(name, value);
    // The initial size applies at once; there is no native window yet to report it.
    if (attributes_.initSize.cx != before.cx || attributes_.initSize.cy != before.cy) {
        OnSize(attributes_.initSize);
    }
}

}  // namespace uikit
