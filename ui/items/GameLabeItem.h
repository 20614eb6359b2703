#pragma once

#include <string>

#include "ui/items/ItemControl.h"

// A tag chip of a version row; its size is the tile size of the row's chip grid.
class GameLabeItem : public ItemControl {
  public:
    explicit GameLabeItem(std::u16string text)
        : ItemControl(u"gameLabeItemUI", u"gameLabeItem.xml"), text_(std::move(text)) {}

    const std::u16string& Text() const { return text_; }

  protected:
    void OnBuilt() override;

  private:
    std::u16string text_;
};
