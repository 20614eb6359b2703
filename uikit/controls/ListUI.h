#pragma once

#include "uikit/draw/TextPainter.h"
#include "uikit/layout/VerticalLayoutUI.h"

namespace uikit {

// What a list tells its elements about drawing rows.
struct ListInfoUI {
    int font = -1;
    unsigned textStyle = TextStyle::kVCenter | TextStyle::kSingleLine;
    Rect textPadding;
    uint32_t textColor = 0;
    uint32_t bkColor = 0;
    uint32_t selectedTextColor = 0;
    uint32_t selectedBkColor = 0;
    uint32_t hotTextColor = 0;
    uint32_t hotBkColor = 0;
    uint32_t disabledTextColor = 0;
    uint32_t disabledBkColor = 0;
    int hLineSize = 0;
    uint32_t hLineColor = 0;
    // The skin's own way of asking for row lines: a switch and a colour, for a 1-pixel line.
    bool showRowLine = false;
    uint32_t rowLineColor = 0;
    bool showHtml = false;

    // The line below each row: the explicit size wins over the switch.
    int RowLineSize() const { return hLineSize > 0 ? hLineSize : showRowLine ? 1 : 0; }
    uint32_t RowLineColor() const { return hLineColor != 0 ? hLineColor : rowLineColor; }
};

// A vertical body of list elements with one selected row. The header is optional; the skin hides
// it.
class CListUI : public CVerticalLayoutUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

    int GetCurSel() const { return curSel_; }
    // Selects a row and reports "itemselect" with the new and the old index.
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true);
    bool IsHeaderVisible() const { return headerVisible_; }
    const ListInfoUI& GetListInfo() const { return info_; }

  private:
    void Renumber();

    ListInfoUI info_;
    int curSel_ = -1;
    bool headerVisible_ = true;
};

}  // namespace uikit
