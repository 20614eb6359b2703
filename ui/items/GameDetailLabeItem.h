#pragma once

#include <string>

#include "ui/items/ItemControl.h"

// A tag chip in the header of the detail page; its width follows its text.
class GameDetailLabeItem : public ItemControl {
  public:
    explicit GameDetailLabeItem(std::u16string text)
        : ItemControl(u"gameDetailLabelItemUI", u"gameDetailLabelItem.xml"),
          text_(std::move(text)) {}

    const std::u16string& Text() const { return text_; }

  protected:
    void OnBuilt() override;

  private:
    std::u16string text_;
};
