#pragma once

#include <vector>

#include "uikit/controls/ControlUI.h"
#include "uikit/controls/IContainerUI.h"

namespace uikit {

class CScrollBarUI;

// Child alignment values of containers; the same numbers as the text style flags.
namespace ChildAlign {
inline constexpr unsigned kLeft = 0;
inline constexpr unsigned kCenter = 1;
inline constexpr unsigned kRight = 2;
inline constexpr unsigned kTop = 0;
inline constexpr unsigned kVCenter = 4;
inline constexpr unsigned kBottom = 8;
}  // namespace ChildAlign

// A control with children. The plain container stacks every child on its inner rectangle; the
// layouts derive from it and place children by their own rules.
class CContainerUI : public CControlUI, public IContainerUI {
  public:
    CContainerUI();
    ~CContainerUI() override;

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;

    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool SetItemIndex(CControlUI* control, int index) override;
    bool SetMultiItemIndex(CControlUI* start, int count, int newStart) override;
    int GetCount() const override { return static_cast<int>(items_.size()); }
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    virtual void SetAutoDestroy(bool autoDestroy) { autoDestroy_ = autoDestroy; }
    virtual bool IsAutoDestroy() const { return autoDestroy_; }
    virtual void SetDelayedDestroy(bool delayed) { delayedDestroy_ = delayed; }
    virtual bool IsDelayedDestroy() const { return delayedDestroy_; }
    virtual Rect GetInset() const { return rcInset_; }
    virtual void SetInset(Rect inset);
    virtual int GetChildPadding() const { return childPadding_; }
    virtual void SetChildPadding(int padding);
    virtual unsigned GetChildAlign() const { return childAlign_; }
    virtual void SetChildAlign(unsigned align);
    virtual unsigned GetChildVAlign() const { return childVAlign_; }
    virtual void SetChildVAlign(unsigned align);
    virtual bool IsMouseChildEnabled() const { return mouseChildEnabled_; }
    virtual void SetMouseChildEnabled(bool enabled = true) { mouseChildEnabled_ = enabled; }

    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetManager(CWindowManagerUI* manager, CControlUI* parent, bool init) override;
    CControlUI* FindControl(const FindVisitor& visitor, const void* data, unsigned flags) override;
    void DoEvent(EventRecordUI& event) override;
    void SetPos(Rect rc, bool needInvalidate = true) override;
    void Move(Size offset, bool needInvalidate = true) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    bool DoPaint(cairo_t* cr, const Rect& paint, CControlUI* stopControl) override;

    virtual void EnableScrollBar(bool enableVertical = true, bool enableHorizontal = false);
    virtual CScrollBarUI* GetVerticalScrollBar() const { return verticalScrollBar_; }
    virtual CScrollBarUI* GetHorizontalScrollBar() const { return horizontalScrollBar_; }
    virtual void SetFloatPos(int index);
    // Shows or hides the scroll bars for the size the children need inside `inner`.
    virtual void ProcessScrollBar(Rect inner, int cxRequired, int cyRequired);

    // How far one wheel notch or arrow key moves the children; 0 leaves it to the container.
    int GetScrollStepSize() const { return scrollStepSize_; }
    void SetScrollStepSize(int step);

    Size GetScrollPos() const;
    Size GetScrollRange() const;
    void SetScrollPos(Size pos);
    void LineUp();
    void LineDown();
    void LineLeft();
    void LineRight();
    void PageUp();
    void PageDown();

  protected:
    // The item rectangle less the inset and the visible scroll bars.
    Rect InnerRect() const;
    // The inner size plus the scroll ranges: the room the children are laid out in.
    Size AvailableSize(const Rect& inner) const;
    // Clamps a size into a child's minimum and maximum.
    static int ClampWidth(const CControlUI* child, int cx);
    static int ClampHeight(const CControlUI* child, int cy);
    void ReleaseChild(CControlUI* control);
    void PlaceScrollBars(const Rect& inner);
    // The vertical step: the markup's step when it gives one, else the container's own.
    int LineSize() const;
    // What one step is when the markup gives none: the scroll bar's line size, or 8 pixels
    // when that is 1 or less.
    virtual int DefaultLineSize() const;
    int HorizontalLineSize() const;

    std::vector<CControlUI*> items_;
    Rect rcInset_;
    int childPadding_ = 0;
    unsigned childAlign_ = ChildAlign::kLeft;
    unsigned childVAlign_ = ChildAlign::kTop;
    bool autoDestroy_ = true;
    bool delayedDestroy_ = true;
    bool mouseChildEnabled_ = true;
    bool relayoutForScroll_ = false;
    int scrollStepSize_ = 0;
    CScrollBarUI* verticalScrollBar_ = nullptr;
    CScrollBarUI* horizontalScrollBar_ = nullptr;
};

}  // namespace uikit
