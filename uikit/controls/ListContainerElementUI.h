#pragma once

#include "uikit/controls/ContainerUI.h"

namespace uikit {

class CListUI;

// A list row that holds other controls. It turns hot while the pointer is over it (its children
// included) and reports clicks and activation through its list.
class CListContainerElementUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    bool Activate() override;
    void DoEvent(EventRecordUI& event) override;
    void PaintBkColor(cairo_t* cr) override;
    // The row line goes over the row's children, which may fill the row with their background.
    bool DoPaint(cairo_t* cr, const Rect& paint, CControlUI* stopControl) override;

    CListUI* GetOwner() const { return owner_; }
    void SetOwner(CListUI* owner) { owner_ = owner; }
    int GetIndex() const { return index_; }
    void SetIndex(int index) { index_ = index; }
    bool IsHot() const { return hot_; }
    bool IsSelected() const { return selected_; }
    // Selecting goes through the list, which reports it.
    bool Select(bool select = true);
    // The list's bookkeeping; reports nothing.
    void SetSelectedState(bool selected);
    // For an element that leaves its window while hovered: it must not come back hot.
    void SetHotState(bool hot);

  private:
    CListUI* owner_ = nullptr;
    int index_ = -1;
    bool hot_ = false;
    bool selected_ = false;
};

}  // namespace uikit
