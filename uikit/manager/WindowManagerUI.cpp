#include "uikit/manager/WindowManagerUI.h"

#include <algorithm>
#include <chrono>

#include "platform/Timer.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/controls/IContainerUI.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/manager/ToolTipWindowUI.h"

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
    : archive_(archive), resources_(archive) {}

CWindowManagerUI::~CWindowManagerUI() {
    DestroyToolTipWindow();
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
    hover_ = captured_ = focus_ = keyPressed_ = nullptr;
    CancelToolTip();
    asyncNotify_.clear();
    DeleteDelayed();
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
    SetFocus(nullptr);
    hover_ = captured_ = keyPressed_ = nullptr;
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
    for (CControlUI** slot : {&hover_, &captured_, &focus_, &keyPressed_}) {
        if (*slot == control) {
            *slot = nullptr;
        }
    }
    if (hover_ == nullptr) {
        CancelToolTip();
    }
    if (root_ == control) {
        root_ = nullptr;
    }
    KillTimers(control);
    RemoveName(control);
    for (auto& [group, members] : optionGroups_) {
        std::erase(members, control);
    }
    // A queued notification must not outlive its sender.
    std::erase_if(asyncNotify_, [control](const NotifyRecordUI& m) { return m.sender == control; });
    std::erase(delayedCleanup_, control);
    std::erase(mouseLeaveNeeded_, control);
}

CControlUI* CWindowManagerUI::FindControl(std::u16string_view name) const {
    const auto found = names_.find(std::u16string(name));
    return found == names_.end() ? nullptr : found->second;
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

void CWindowManagerUI::AddName(CControlUI* control) {
    const std::u16string name(control->GetName());
    if (!name.empty()) {
        names_.try_emplace(name, control);
    }
}

void CWindowManagerUI::RemoveName(CControlUI* control) {
    const auto found = names_.find(std::u16string(control->GetName()));
    if (found != names_.end() && found->second == control) {
        names_.erase(found);
    }
}

bool CWindowManagerUI::AddNotifier(INotifyUI* notifier) {
    if (notifier == nullptr || std::ranges::find(notifiers_, notifier) != notifiers_.end()) {
        return false;
    }
    notifiers_.push_back(notifier);
    return true;
}

bool CWindowManagerUI::RemoveNotifier(INotifyUI* notifier) {
    return std::erase(notifiers_, notifier) > 0;
}

void CWindowManagerUI::SendNotify(CControlUI* sender, std::u16string_view type, uintptr_t wParam,
                                  intptr_t lParam, bool async, bool enableRepeat) {
    NotifyRecordUI msg;
    msg.type = type;
    msg.sender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async, enableRepeat);
}

void CWindowManagerUI::SendNotify(NotifyRecordUI& msg, bool async, bool enableRepeat) {
    msg.ptMouse = mousePos_;
    msg.timestamp = Now();
    if (async) {
        if (!enableRepeat) {
            for (NotifyRecordUI& queued : asyncNotify_) {
                if (queued.sender == msg.sender && queued.type == msg.type) {
                    queued = msg;
                    return;
                }
            }
        }
        asyncNotify_.push_back(msg);
        if (asyncPoster_) {
            asyncPoster_();
        }
        return;
    }
    if (msg.sender != nullptr) {
        for (auto& delegate : msg.sender->OnNotify) {
            if (!delegate(msg)) {
                return;
            }
        }
    }
    NotifySinks(msg);
}

void CWindowManagerUI::NotifySinks(NotifyRecordUI& msg) {
    // By index: a sink may remove itself while being called.
    for (size_t i = 0; i < notifiers_.size(); ++i) {
        notifiers_[i]->Notify(msg);
    }
}

void CWindowManagerUI::DeliverAsyncNotifications() {
    while (!asyncNotify_.empty()) {
        NotifyRecordUI msg = asyncNotify_.front();
        asyncNotify_.erase(asyncNotify_.begin());
        SendNotify(msg, false);
    }
    DeleteDelayed();
}

void CWindowManagerUI::AddDelayedCleanup(CControlUI* control) {
    if (control == nullptr ||
        std::ranges::find(delayedCleanup_, control) != delayedCleanup_.end()) {
        return;
    }
    control->SetInternVisible(false);
    delayedCleanup_.push_back(control);
    if (asyncPoster_) {
        asyncPoster_();
    }
}

void CWindowManagerUI::DeleteDelayed() {
    std::vector<CControlUI*> doomed;
    doomed.swap(delayedCleanup_);
    for (CControlUI* control : doomed) {
        delete control;
    }
}

bool CWindowManagerUI::AddOptionGroup(std::u16string_view group, CControlUI* control) {
    auto& members = optionGroups_[std::u16string(group)];
    if (std::ranges::find(members, control) != members.end()) {
        return false;
    }
    members.push_back(control);
    return true;
}

const std::vector<CControlUI*>* CWindowManagerUI::GetOptionGroup(std::u16string_view group) const {
    const auto found = optionGroups_.find(group);
    return found == optionGroups_.end() ? nullptr : &found->second;
}

void CWindowManagerUI::RemoveOptionGroup(std::u16string_view group, CControlUI* control) {
    const auto found = optionGroups_.find(group);
    if (found == optionGroups_.end()) {
        return;
    }
    std::erase(found->second, control);
    if (found->second.empty()) {
        optionGroups_.erase(found);
    }
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
    DispatchEvent(entry->control, UIEVENT_TIMER, mousePos_, static_cast<uintptr_t>(entry->localId));
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
