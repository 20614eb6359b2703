#include "ui/items/ItemControl.h"

#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

ItemControl::~ItemControl() {
    if (manager_ != nullptr) {
        // A receiver deleted while still registered would be called through a dangling
        // pointer by the next notification; timers and queued notifications of the item go too.
        manager_->RemoveNotifier(this);
        manager_->ReapObjects(this);
    }
}

void* ItemControl::GetInterface(std::u16string_view name) {
    return name == className_ ? this : CContainerUI::GetInterface(name);
}

void ItemControl::DoInit() {
    if (initialised_ || manager_ == nullptr) {
        return;
    }
    initialised_ = true;
    // A file that cannot be built leaves the item empty and deaf to the window.
    CMarkupBuilderUI builder;
    if (builder.Create(markupFile_, {}, nullptr, manager_, this) == nullptr) {
        RemoveAll();
        return;
    }
    manager_->AddNotifier(this);
    built_ = true;
    OnBuilt();
}

void ItemControl::SetAttribute(std::u16string_view name, std::u16string_view value) {
    CControlUI::SetAttribute(name, value);
}
