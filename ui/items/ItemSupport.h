#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "uikit/controls/ControlUI.h"

namespace uikit {
class CWindowManagerUI;
}

// What the item controls share besides their base: finding their own controls, leaving the
// window's notifiers as a whole subtree, and their hover feedback.

// The control of that name inside `root`'s subtree. Every item repeats the names of its markup
// and the window's name table keeps only the first of each, so an item looks inside itself.
uikit::CControlUI* FindInItem(uikit::CControlUI& root, std::u16string_view name);

template <typename T>
T* FindInItemAs(uikit::CControlUI& root, std::u16string_view name, std::u16string_view iface) {
    uikit::CControlUI* control = FindInItem(root, name);
    return control != nullptr ? static_cast<T*>(control->GetInterface(iface)) : nullptr;
}

// Unregisters every notification receiver of a subtree (the item and the items nested in it).
void StopNotifications(uikit::CWindowManagerUI& manager, uikit::CControlUI& root);

// The item's hover state after an event that reached it: true once the pointer is on it, false
// once it left, nothing when the event changes nothing. A leave that only moves the pointer onto
// another control of the same item is no leave of the item.
std::optional<bool> HoverAfter(const uikit::CControlUI& item, const uikit::EventRecordUI& event);

// The background of a hovered library tile or order row, and the markup's own one it returns to.
inline constexpr uint32_t kItemHotColor = 0xFFE5F0F5;
inline constexpr uint32_t kItemColdColor = 0xFFF8FDFF;

// The pointer's shape while it is over an item (hand) and after it left (arrow).
void ShowHandCursor(bool hand);
