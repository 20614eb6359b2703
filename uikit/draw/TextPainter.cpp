#include "uikit/draw/TextPainter.h"

#include <pango/pangocairo.h>

#include <memory>

#include "common/TextConvert.h"
#include "uikit/draw/Color.h"
#include "uikit/draw/TextEngine.h"

namespace uikit {

namespace {

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

// Without kSingleLine, line breaks in the text start new lines; kWordBreak also wraps.
bool IsMultiLine(unsigned style) {
    return !(style & TextStyle::kSingleLine);
}

PangoAlignment HorizontalAlignment(unsigned style) {
    if (style & TextStyle::kCenter) {
        return PANGO_ALIGN_CENTER;
    }
    if (style & TextStyle::kRight) {
        return PANGO_ALIGN_RIGHT;
    }
    return PANGO_ALIGN_LEFT;
}

void SetUnderline(PangoLayout* layout) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
}

// A layout with a width wraps its lines (or, ellipsized, cuts each one) at that width.
void SetLineBreaking(PangoLayout* layout, int width, int height, unsigned style) {
    const bool ellipsis = (style & TextStyle::kEndEllipsis) && width > 0;
    if (IsMultiLine(style) && (style & TextStyle::kWordBreak) && width > 0) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        if (ellipsis && height > 0) {
            pango_layout_set_height(layout, height * PANGO_SCALE);
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        }
    } else if (ellipsis) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
}

LayoutPtr MakeLayout(const FontUI& font, std::u16string_view text, int width, int height,
                     unsigned style) {
    LayoutPtr layout(pango_layout_new(SharedPangoContext()));
    const std::string utf8 = Utf16ToAnsi(text);
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_set_font_description(layout.get(), font.Description());
    if (font.Info().underline) {
        SetUnderline(layout.get());
    }
    if (!IsMultiLine(style)) {
        pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    }
    SetLineBreaking(layout.get(), width, height, style);
    // Lines are aligned within the layout's width, or within the widest line when it has none.
    pango_layout_set_alignment(layout.get(), HorizontalAlignment(style));
    return layout;
}

// Where the layout's top-left goes so that its logical box sits in `rc` as the style asks.
Point PlaceLayout(PangoLayout* layout, const Rect& rc, unsigned style) {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    Point at{rc.left, rc.top};
    // A layout as wide as the rectangle has placed its lines already; otherwise the block of
    // lines is placed here.
    if (pango_layout_get_width(layout) < 0) {
        at.x -= logical.x;
        if (style & TextStyle::kCenter) {
            at.x += (rc.Width() - logical.width) / 2;
        } else if (style & TextStyle::kRight) {
            at.x += rc.Width() - logical.width;
        }
    }
    if (style & TextStyle::kVCenter) {
        at.y += (rc.Height() - logical.height) / 2;
    } else if (style & TextStyle::kBottom) {
        at.y += rc.Height() - logical.height;
    }
    return at;
}

}  // namespace

void DrawTextUI(cairo_t* cr, const FontUI& font, const Rect& rc, std::u16string_view text,
                uint32_t color, unsigned style) {
    if (text.empty() || rc.IsEmpty()) {
        return;
    }
    LayoutPtr layout = MakeLayout(font, text, rc.Width(), rc.Height(), style);
    const Point at = PlaceLayout(layout.get(), rc, style);
    cairo_save(cr);
    if (!(style & TextStyle::kNoClip)) {
        cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
        cairo_clip(cr);
    }
    cairo_set_source_rgb(cr, ColorRed(color) / 255.0, ColorGreen(color) / 255.0,
                         ColorBlue(color) / 255.0);
    cairo_move_to(cr, at.x, at.y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

Size MeasureText(const FontUI& font, std::u16string_view text, int width, unsigned style) {
    if (text.empty()) {
        return Size{0, font.Metrics().height};
    }
    LayoutPtr layout = MakeLayout(font, text, width, 0, style & ~TextStyle::kEndEllipsis);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return Size{logical.width, logical.height};
}

int CountMissingGlyphs(const FontUI& font, std::u16string_view text) {
    LayoutPtr layout = MakeLayout(font, text, 0, 0, TextStyle::kSingleLine);
    return pango_layout_get_unknown_glyphs_count(layout.get());
}

}  // namespace uikit
