#pragma once

#include <vector>

#include "uikit/controls/LabelUI.h"
#include "uikit/controls/TaggedTextPainterUI.h"

namespace uikit {

// A label whose tagged-text links can be clicked: "link" with the link's index.
class CTextUI : public CLabelUI {
  public:
    CTextUI();

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    unsigned GetControlFlags() const override;
    void DoEvent(EventRecordUI& event) override;
    void PaintText(cairo_t* cr) override;

    // The link under a point, -1 when none (as last painted).
    int LinkAt(Point pt) const;
    std::u16string_view GetLinkContent(int index) const;

  private:
    std::vector<TaggedLinkRectUI> linkRects_;
    int hoverLink_ = -1;
};

}  // namespace uikit
