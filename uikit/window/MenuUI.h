#pragma once

#include <string>

#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/controls/ListUI.h"

namespace uikit {

// The message a clicked menu item posts to the window that owns the menu (wParam 0, lParam the
// item's check state); the owner reads ClickedMenuName() when it handles it.
inline constexpr uint32_t kMsgMenuCommand = 1024 + 121;

// The list that holds a pop-up menu's items; its preferred size is that of its items.
class CMenuUI : public CListUI {
  public:
    std::u16string_view GetClass() const override { return u"MenuUI"; }
    void* GetInterface(std::u16string_view name) override;
    Size EstimateSize(Size available) override;
};

// One item of a pop-up menu: its text in the list's item colours, optionally a check item.
class CMenuElementUI : public CListContainerElementUI {
  public:
    std::u16string_view GetClass() const override { return u"MenuElementUI"; }
    void* GetInterface(std::u16string_view name) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void DoEvent(EventRecordUI& event) override;
    void PaintText(cairo_t* cr) override;

    bool IsCheckItem() const { return checkItem_; }
    bool IsChecked() const { return checked_; }

  private:
    void OnClicked();

    bool checkItem_ = false;
    bool checked_ = false;
};

}  // namespace uikit
