#pragma once

#include <string>

#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

// A tag chip in the header of the detail page; its width follows its text.
class GameDetailLabeItem : public uikit::CContainerUI, public uikit::INotifyUI {
  public:
    explicit GameDetailLabeItem(std::u16string text) : text_(std::move(text)) {}
    ~GameDetailLabeItem() override;

    std::u16string_view GetClass() const override { return u"gameDetailLabelItemUI"; }
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;
    bool built_ = false;
};
