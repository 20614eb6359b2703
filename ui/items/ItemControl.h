#pragma once

#include <string_view>

#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

// The base of the program's item controls (library tiles, version rows, chips, order and
// download rows). An item builds its markup file into itself once, the first time it joins a
// window, reports its own class name, and hears the window's notifications while it lives.
// Leaving the window when it goes is done here, so that no item can forget it.
class ItemControl : public uikit::CContainerUI, public uikit::INotifyUI {
  public:
    // Both texts are literals of the item's class and outlive it.
    ItemControl(std::u16string_view className, std::u16string_view markupFile)
        : className_(className), markupFile_(markupFile) {}
    ~ItemControl() override;
    ItemControl(const ItemControl&) = delete;
    ItemControl& operator=(const ItemControl&) = delete;

    std::u16string_view GetClass() const final { return className_; }
    void* GetInterface(std::u16string_view name) override;
    // Once: an item that is moved to another place of the tree keeps what it built.
    void DoInit() final;
    // An item takes the plain control's attributes only; its layout comes from its markup.
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    bool IsBuilt() const { return built_; }

  protected:
    // The markup has been built into the item: find its controls and fill them.
    virtual void OnBuilt() = 0;

  private:
    const std::u16string_view className_;
    const std::u16string_view markupFile_;
    bool initialised_ = false;
    bool built_ = false;
};
