#pragma once

#include "uikit/controls/ContainerUI.h"

namespace uikit {

// Lays children out in cells of one item size, row by row. A child's cell follows from its
// place in the child list, so hidden children keep their cells empty.
class CTileLayoutUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void SetPos(Rect rc, bool needInvalidate = true) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

    Size GetItemSize() const { return itemSize_; }
    void SetItemSize(Size size);
    int GetColumns() const { return columns_; }
    void SetColumns(int columns);
    int GetChildVPadding() const { return childVPadding_; }
    void SetChildVPadding(int padding);

  protected:
    // One row of tiles a step, so the wheel moves the grid as a person reads it.
    int DefaultLineSize() const override;

  private:
    Size itemSize_;
    int columns_ = 0;
    int childVPadding_ = 0;
};

}  // namespace uikit
