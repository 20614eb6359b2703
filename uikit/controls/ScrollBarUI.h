#pragma once

#include "uikit/controls/ControlUI.h"

namespace uikit {

class CContainerUI;

// The scroll bar a container makes for itself: a range (how far the children stick out), a
// position, and a thumb that can be dragged or stepped by the line size.
class CScrollBarUI : public CControlUI {
  public:
    CScrollBarUI();

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;

    void SetOwner(CContainerUI* owner) { owner_ = owner; }
    CContainerUI* GetOwner() const { return owner_; }
    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal);
    int GetScrollRange() const { return range_; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return pos_; }
    // Clamped into the range; a change is reported as a queued "scroll".
    void SetScrollPos(int pos);
    int GetLineSize() const { return lineSize_; }
    void SetLineSize(int size) { lineSize_ = size; }
    bool IsButton1Shown() const { return showButton1_; }
    bool IsButton2Shown() const { return showButton2_; }
    // The thumb within the bar's rectangle.
    Rect GetThumbRect() const;

    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void DoEvent(EventRecordUI& event) override;
    void PaintBkImage(cairo_t* cr) override;
    void PaintStatusImage(cairo_t* cr) override;

  private:
    Rect TrackRect() const;
    void ScrollTo(int pos);
    void DragTo(Point pt);

    CContainerUI* owner_ = nullptr;
    bool horizontal_ = false;
    int range_ = 100;
    int pos_ = 0;
    int lineSize_ = 8;
    bool showButton1_ = true;
    bool showButton2_ = true;
    bool thumbHot_ = false;
    bool dragging_ = false;
    Point dragStart_;
    int dragStartPos_ = 0;
    ImageAttributeUI bkNormalImage_;
    ImageAttributeUI thumbNormalImage_;
    ImageAttributeUI thumbHotImage_;
    ImageAttributeUI thumbPushedImage_;
};

}  // namespace uikit
