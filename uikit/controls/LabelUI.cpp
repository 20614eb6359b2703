#include "uikit/controls/LabelUI.h"

#include "uikit/controls/ExtentUI.h"
#include "uikit/controls/TaggedTextPainterUI.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

constexpr unsigned kHorizontalBits = TextStyle::kLeft | TextStyle::kCenter | TextStyle::kRight;
constexpr unsigned kVerticalBits = TextStyle::kTop | TextStyle::kVCenter | TextStyle::kBottom;

bool Contains(std::u16string_view value, std::u16string_view word) {
    return value.find(word) != std::u16string_view::npos;
}

// The value is searched for each word in turn, so the last one found wins.
unsigned ApplyAlign(unsigned style, std::u16string_view value) {
    if (Contains(value, u"left")) {
        style = (style & ~kHorizontalBits) | TextStyle::kLeft;
    }
    if (Contains(value, u"center")) {
        style = (style & ~kHorizontalBits) | TextStyle::kCenter;
    }
    if (Contains(value, u"right")) {
        style = (style & ~kHorizontalBits) | TextStyle::kRight;
    }
    return style;
}

unsigned ApplyVAlign(unsigned style, std::u16string_view value) {
    if (Contains(value, u"top")) {
        style = (style & ~kVerticalBits) | TextStyle::kTop;
    }
    if (Contains(value, u"vcenter")) {
        style = (style & ~kVerticalBits) | TextStyle::kVCenter;
    }
    if (Contains(value, u"bottom")) {
        style = (style & ~kVerticalBits) | TextStyle::kBottom;
    }
    return style;
}

unsigned SetFlag(unsigned style, unsigned flag, bool on) {
    return on ? style | flag : style & ~flag;
}

}  // namespace

CLabelUI::CLabelUI() : textStyle_(TextStyle::kSingleLine | TextStyle::kVCenter) {}

std::u16string_view CLabelUI::GetClass() const {
    return u"LabelUI";
}

void* CLabelUI::GetInterface(std::u16string_view name) {
    return name == u"Label" ? this : CControlUI::GetInterface(name);
}

void CLabelUI::SetText(std::u16string_view text) {
    if (text == text_) {
        return;
    }
    CControlUI::SetText(text);
    tagged_.reset();
    if (autoCalcWidth_) {
        NeedParentUpdate();
    }
}

void CLabelUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"align") {
        SetTextStyle(ApplyAlign(textStyle_, value));
    } else if (name == u"valign") {
        SetTextStyle(ApplyVAlign(textStyle_, value));
    } else if (name == u"endellipsis") {
        SetTextStyle(SetFlag(textStyle_, TextStyle::kEndEllipsis, ParseBool(value)));
    } else if (name == u"multiline") {
        const bool multi = ParseBool(value);
        SetTextStyle(SetFlag(SetFlag(textStyle_, TextStyle::kSingleLine, !multi),
                             TextStyle::kWordBreak, multi));
    } else if (name == u"font") {
        SetFont(ParseInt(value));
    } else if (name == u"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (name == u"disabledtextcolor") {
        SetDisabledTextColor(ParseColor(value));
    } else if (name == u"textpadding") {
        SetTextPadding(ParseRect(value));
    } else if (name == u"showhtml") {
        SetShowHtml(ParseBool(value));
    } else if (name == u"autocalcwidth") {
        SetAutoCalcWidth(ParseBool(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CLabelUI::SetTextStyle(unsigned style) {
    textStyle_ = style;
    Invalidate();
}

void CLabelUI::SetTextColor(uint32_t color) {
    textColor_ = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(uint32_t color) {
    disabledTextColor_ = color;
    Invalidate();
}

void CLabelUI::SetFont(int id) {
    font_ = id;
    if (autoCalcWidth_) {
        NeedParentUpdate();
    }
    Invalidate();
}

void CLabelUI::SetTextPadding(Rect padding) {
    textPadding_ = ClampExtent(padding);
    NeedParentUpdate();
}

void CLabelUI::SetShowHtml(bool showHtml) {
    showHtml_ = showHtml;
    tagged_.reset();
    Invalidate();
}

void CLabelUI::SetAutoCalcWidth(bool autoCalcWidth) {
    autoCalcWidth_ = autoCalcWidth;
    NeedParentUpdate();
}

const TaggedTextUI& CLabelUI::Tagged() const {
    if (!tagged_) {
        tagged_ = showHtml_ ? TaggedTextUI::Parse(text_) : TaggedTextUI{};
    }
    return *tagged_;
}

int CLabelUI::MeasureTextWidth() const {
    if (manager_ == nullptr || text_.empty()) {
        return 0;
    }
    if (showHtml_) {
        TaggedPaintParamsUI params{manager_, font_, 0, textStyle_, -1};
        return PaintTaggedText(nullptr, Tagged(), Rect{}, params).cx;
    }
    return MeasureText(*manager_->GetFont(font_), text_, 0, TextStyle::kSingleLine).cx;
}

Size CLabelUI::EstimateSize(Size available) {
    if (autoCalcWidth_) {
        // The width follows the text; set directly, as this runs inside the parent's layout.
        fixedSize_.cx = MeasureTextWidth() + textPadding_.left + textPadding_.right;
    }
    return CControlUI::EstimateSize(available);
}

uint32_t CLabelUI::EffectiveTextColor(uint32_t color) const {
    if (color != 0 || manager_ == nullptr) {
        return color;
    }
    return IsEnabled() ? manager_->Attributes().defaultFontColor
                       : manager_->Attributes().disabledFontColor;
}

void CLabelUI::PaintText(cairo_t* cr) {
    DrawLabelText(cr, IsEnabled() ? textColor_ : disabledTextColor_);
}

void CLabelUI::DrawLabelText(cairo_t* cr, uint32_t color) {
    if (text_.empty() || manager_ == nullptr) {
        return;
    }
    const Rect rc{rcItem_.left + textPadding_.left, rcItem_.top + textPadding_.top,
                  rcItem_.right - textPadding_.right, rcItem_.bottom - textPadding_.bottom};
    color = EffectiveTextColor(color);
    if (showHtml_) {
        TaggedPaintParamsUI params{manager_, font_, color, textStyle_, -1};
        PaintTaggedText(cr, Tagged(), rc, params);
        return;
    }
    DrawTextUI(cr, *manager_->GetFont(font_), rc, text_, color, textStyle_);
}

}  // namespace uikit
