#include "ui/items/ItemSupport.h"

#include "platform/Mouse.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

CControlUI* FindInItem(CControlUI& root, std::u16string_view name) {
    const auto byName = [](CControlUI* control, const void* data) -> CControlUI* {
        return control->GetName() == *static_cast<const std::u16string_view*>(data) ? control
                                                                                    : nullptr;
    };
    return root.FindControl(byName, &name, FindFlags::kAll);
}

void StopNotifications(CWindowManagerUI& manager, CControlUI& root) {
    const auto unregister = [&manager](CControlUI* control, const void*) -> CControlUI* {
        if (auto* receiver = dynamic_cast<INotifyUI*>(control)) {
            manager.RemoveNotifier(receiver);
        }
        return nullptr;
    };
    root.FindControl(unregister, nullptr, FindFlags::kAll);
}

std::optional<bool> HoverAfter(const CControlUI& item, const EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_MOUSEMOVE:
        case UIEVENT_MOUSEENTER:
            return true;
        case UIEVENT_MOUSELEAVE:
            return item.GetPos().Contains(event.ptMouse) ? std::nullopt : std::optional(false);
        default:
            return std::nullopt;
    }
}

void ShowHandCursor(bool hand) {
    platform::SetCursor(hand ? platform::Cursor::Hand : platform::Cursor::Arrow);
}
