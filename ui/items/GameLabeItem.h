#pragma once

#include <string>

#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

// A tag chip of a version row; its size is the tile size of the row's chip grid.
class GameLabeItem : public uikit::CContainerUI, public uikit::INotifyUI {
  public:
    explicit GameLabeItem(std::u16string text) : text_(std::move(text)) {}
    ~GameLabeItem() override;

    std::u16string_view GetClass() const override { return u"gameLabeItemUI"; }
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;
    bool built_ = false;
};
