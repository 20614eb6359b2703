#pragma once

#include <optional>

#include "uikit/controls/ControlUI.h"
#include "uikit/controls/TaggedTextUI.h"

namespace uikit {

// A control that shows text: one line, vertically centred and left aligned unless told
// otherwise, in a font of the window's table, optionally with tags ("showhtml").
class CLabelUI : public CControlUI {
  public:
    CLabelUI();

    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void SetText(std::u16string_view text) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    Size EstimateSize(Size available) override;
    void PaintText(cairo_t* cr) override;

    virtual void SetTextStyle(unsigned style);
    virtual unsigned GetTextStyle() const { return textStyle_; }
    virtual void SetTextColor(uint32_t color);
    virtual uint32_t GetTextColor() const { return textColor_; }
    virtual void SetDisabledTextColor(uint32_t color);
    virtual uint32_t GetDisabledTextColor() const { return disabledTextColor_; }
    virtual void SetFont(int id);
    virtual int GetFont() const { return font_; }
    virtual Rect GetTextPadding() const { return textPadding_; }
    virtual void SetTextPadding(Rect padding);
    virtual bool IsShowHtml() const { return showHtml_; }
    virtual void SetShowHtml(bool showHtml = true);
    virtual void SetAutoCalcWidth(bool autoCalcWidth);
    virtual bool GetAutoCalcWidth() const { return autoCalcWidth_; }

    // The parsed tags of the text (empty runs unless "showhtml").
    const TaggedTextUI& Tagged() const;
    // The width the text takes in the label's font, without padding.
    int MeasureTextWidth() const;

  protected:
    // Draws the text in the colour given, inside the text padding.
    void DrawLabelText(cairo_t* cr, uint32_t color);
    // The window's default colours stand in for a colour of 0.
    uint32_t EffectiveTextColor(uint32_t color) const;

    unsigned textStyle_;
    uint32_t textColor_ = 0;
    uint32_t disabledTextColor_ = 0;
    int font_ = -1;
    Rect textPadding_;
    bool showHtml_ = false;
    bool autoCalcWidth_ = false;
    mutable std::optional<TaggedTextUI> tagged_;
};

}  // namespace uikit
