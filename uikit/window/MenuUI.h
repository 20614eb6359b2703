#pragma once

#include <string>
#include <utility>
#include <vector>

#include "uikit/controls/ImageAttributeUI.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/controls/ListUI.h"

namespace uikit {

class CMenuElementUI;
class CMenuWnd;

// The message a clicked menu item posts to the window that owns the menu (wParam 0, lParam the
// item's check state); the owner reads ClickedMenuName() when it handles it.
inline constexpr uint32_t kMsgMenuCommand = 1024 + 121;

// The columns every item of one menu shares, so that texts line up whichever items carry a
// check mark, an icon or a sub-menu arrow. All 0 for a menu of plain items.
struct MenuColumnsUI {
    // Offsets from the item's left edge.
    int checkLeft = 0;
    int checkWidth = 0;
    int iconLeft = 0;
    int textLeft = 0;  // where the text area starts (0 = the item's own left edge)
    // Kept free at the item's right edge for the sub-menu arrow.
    int arrowWidth = 0;
};

// The list that holds a pop-up menu's items; its preferred size is that of its items plus its
// inset. It remembers the attributes it was given so a sub-menu can look the same.
class CMenuUI : public CListUI {
  public:
    std::u16string_view GetClass() const override { return u"MenuUI"; }
    void* GetInterface(std::u16string_view name) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    Size EstimateSize(Size available) override;

    // Takes the look (colours, images, inset, item styles) of another menu.
    void CopyLookFrom(const CMenuUI& other);
    MenuColumnsUI Columns() const;

  private:
    std::vector<std::pair<std::u16string, std::u16string>> look_;
};

// One item of a pop-up menu: its text in the list's item colours, optionally with an icon, a
// check mark, or child items that open as a sub-menu. An item can also be a separator line.
class CMenuElementUI : public CListContainerElementUI {
  public:
    CMenuElementUI() = default;
    ~CMenuElementUI() override;

    std::u16string_view GetClass() const override { return u"MenuElementUI"; }
    void* GetInterface(std::u16string_view name) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    // Child items are kept aside for the sub-menu instead of being laid out in this item.
    bool AddAt(CControlUI* control, int index) override;
    bool Add(CControlUI* control) override;
    void DoEvent(EventRecordUI& event) override;
    Size EstimateSize(Size available) override;
    void PaintStatusImage(cairo_t* cr) override;
    void PaintText(cairo_t* cr) override;

    bool IsCheckItem() const { return checkItem_; }
    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return separator_; }
    bool HasIcon() const { return !icon_.IsEmpty(); }
    Size GetIconSize() const { return iconSize_; }
    bool HasSubMenu() const { return !subItems_.empty(); }
    const std::vector<CMenuElementUI*>& SubItems() const { return subItems_; }
    // The menu window showing this item's child items, while one is open.
    CMenuWnd* GetSubMenu() const { return subMenu_; }
    void SetSubMenu(CMenuWnd* menu) { subMenu_ = menu; }
    CMenuUI* GetMenu() const;

  private:
    void OnClicked();
    void OnHovered();
    void RecordCheckState() const;
    Rect TextRect(const MenuColumnsUI& columns) const;
    uint32_t CurrentTextColor() const;
    void PaintSeparator(cairo_t* cr);
    int NaturalWidth();
    int NaturalHeight();

    bool checkItem_ = false;
    bool checked_ = false;
    bool separator_ = false;
    uint32_t lineColor_ = 0xFFE0E0E0;
    Rect linePadding_;
    ImageAttributeUI icon_;
    Size iconSize_{16, 16};
    std::vector<CMenuElementUI*> subItems_;  // owned
    CMenuWnd* subMenu_ = nullptr;
};

}  // namespace uikit
