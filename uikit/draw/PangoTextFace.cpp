#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>

#include "common/TextConvert.h"
#include "uikit/draw/FontUI.h"
#include "uikit/draw/PangoContext.h"
#include "uikit/draw/TextFace.h"
#include "uikit/draw/TextPainter.h"

namespace uikit {

namespace {

int PangoToPixels(int units) {
    return (units + PANGO_SCALE / 2) / PANGO_SCALE;
}

PangoFontDescription* DescribeFont(const FontInfo& info) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, Utf16ToAnsi(info.face).c_str());
    // Markup sizes are pixel sizes, not points.
    pango_font_description_set_absolute_size(
        description, std::max(1, info.size) * static_cast<double>(PANGO_SCALE));
    pango_font_description_set_weight(description,
                                      info.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description,
                                     info.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return description;
}

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

LayoutPtr MakeLayout(const PangoFontDescription* description, bool underline,
                     std::u16string_view text, int width, int height, unsigned style) {
    LayoutPtr layout(pango_layout_new(SharedPangoContext()));
    const std::string utf8 = Utf16ToAnsi(text);
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_set_font_description(layout.get(), description);
    if (underline) {
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

// A font as Pango over the cairo font map draws it.
class PangoTextFace final : public TextFace {
  public:
    explicit PangoTextFace(const FontInfo& info)
        : description_(DescribeFont(info)), underline_(info.underline) {}
    ~PangoTextFace() override { pango_font_description_free(description_); }
    PangoTextFace(const PangoTextFace&) = delete;
    PangoTextFace& operator=(const PangoTextFace&) = delete;

    FontMetrics Metrics() const override;
    std::string ResolvedFamily() const override;
    Size Measure(std::u16string_view text, int width, unsigned style) const override;
    void Draw(cairo_t* cr, const Rect& rc, std::u16string_view text, uint32_t color,
              unsigned style) const override;
    int CountMissingGlyphs(std::u16string_view text) const override;

  private:
    LayoutPtr Layout(std::u16string_view text, int width, int height, unsigned style) const {
        return MakeLayout(description_, underline_, text, width, height, style);
    }

    PangoFontDescription* description_;
    bool underline_;
};

FontMetrics PangoTextFace::Metrics() const {
    PangoFontMetrics* metrics =
        pango_context_get_metrics(SharedPangoContext(), description_, nullptr);
    FontMetrics result;
    result.ascent = PangoToPixels(pango_font_metrics_get_ascent(metrics));
    result.descent = PangoToPixels(pango_font_metrics_get_descent(metrics));
    result.height = result.ascent + result.descent;
    result.averageWidth = PangoToPixels(pango_font_metrics_get_approximate_char_width(metrics));
    pango_font_metrics_unref(metrics);
    return result;
}

std::string PangoTextFace::ResolvedFamily() const {
    PangoFont* font = pango_context_load_font(SharedPangoContext(), description_);
    if (!font) {
        return {};
    }
    PangoFontDescription* chosen = pango_font_describe(font);
    const char* family = pango_font_description_get_family(chosen);
    std::string result = family ? family : "";
    pango_font_description_free(chosen);
    g_object_unref(font);
    return result;
}

void PangoTextFace::Draw(cairo_t* cr, const Rect& rc, std::u16string_view text, uint32_t color,
                         unsigned style) const {
    LayoutPtr layout = Layout(text, rc.Width(), rc.Height(), style);
    const Point at = PlaceLayout(layout.get(), rc, style);
    BeginTextDrawing(cr, rc, color, style);
    cairo_move_to(cr, at.x, at.y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

Size PangoTextFace::Measure(std::u16string_view text, int width, unsigned style) const {
    LayoutPtr layout = Layout(text, width, 0, style);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return Size{logical.width, logical.height};
}

int PangoTextFace::CountMissingGlyphs(std::u16string_view text) const {
    LayoutPtr layout = Layout(text, 0, 0, TextStyle::kSingleLine);
    return pango_layout_get_unknown_glyphs_count(layout.get());
}

}  // namespace

std::unique_ptr<TextFace> CreateTextFace(const FontInfo& info) {
    return std::make_unique<PangoTextFace>(info);
}

}  // namespace uikit
