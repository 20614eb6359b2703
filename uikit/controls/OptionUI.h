#pragma once

#include "uikit/controls/ButtonUI.h"

namespace uikit {

// A button with a selected state. In a group (per window) exactly the clicked option becomes
// selected; without a group each click toggles it.
class COptionUI : public CButtonUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init) override;
    bool Activate() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void PaintBkColor(cairo_t* cr) override;
    void PaintStatusImage(cairo_t* cr) override;
    void PaintText(cairo_t* cr) override;

    std::u16string_view GetGroup() const { return group_; }
    void SetGroup(std::u16string_view group);
    bool IsSelected() const { return selected_; }
    // Selecting in a group deselects the group's other options, passing `notify` on.
    virtual void Selected(bool selected, bool notify = true);

  protected:
    std::u16string group_;
    bool selected_ = false;
    uint32_t selectedBkColor_ = 0;
    uint32_t selectedTextColor_ = 0;
    ImageAttributeUI selectedImage_;
    ImageAttributeUI selectedHotImage_;
};

}  // namespace uikit
