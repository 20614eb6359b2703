#pragma once

#include "uikit/controls/ContainerUI.h"

namespace uikit {

// Pages of which one is shown. Only the selected page is laid out; the others are hidden and
// keep their old rectangles.
class CTabLayoutUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    int GetCurSel() const { return curSel_; }
    // False for an index outside the pages; true without change for the current page.
    virtual bool SelectItem(int index, bool triggerEvent = true);
    bool SelectItem(CControlUI* control, bool triggerEvent = true);

    void SetPos(Rect rc, bool needInvalidate = true) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

  private:
    void ShowOnly(int index);

    int curSel_ = -1;
};

}  // namespace uikit
