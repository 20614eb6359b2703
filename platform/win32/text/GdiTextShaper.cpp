#include "platform/win32/text/GdiTextShaper.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/win32/text/GdiCoverage.h"
#include "platform/win32/text/GdiFontHandles.h"

namespace platform::win32 {

namespace {

namespace TL = TextLayout;

// Flags DrawTextW is always given: an '&' is text, not a mnemonic mark; tabs move to stops.
constexpr UINT kAlwaysFlags = DT_NOPREFIX | DT_EXPANDTABS;
// Wide enough for any line when no width limits it.
constexpr int kUnlimitedWidth = 1 << 20;
constexpr char16_t kEllipsis = u'\u2026';

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

bool Wraps(unsigned layout, int width) {
    return !(layout & TL::kSingleLine) && (layout & TL::kWordBreak) && width > 0;
}

// The DrawTextW flags for the layout: lines and their alignment. Vertical placement is done by
// the caller, since DrawTextW places only single lines vertically.
UINT LineFlags(unsigned layout, int width) {
    UINT flags = kAlwaysFlags;
    if (layout & TL::kSingleLine) {
        flags |= DT_SINGLELINE;
    } else if (Wraps(layout, width)) {
        flags |= DT_WORDBREAK;
    }
    if (layout & TL::kCenter) {
        flags |= DT_CENTER;
    } else if (layout & TL::kRight) {
        flags |= DT_RIGHT;
    }
    return flags;
}

// The family name of the face whose glyphs the context draws. GetTextFaceW cannot tell: for a
// face the system substitutes (FontSubstitutes) it repeats the name that was asked for.
std::u16string OutlineFamily(HDC dc) {
    const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW)) {
        return {};
    }
    std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(dc, size, metrics) == 0) {
        return {};
    }
    // The name's field holds its offset from the start of the structure.
    const size_t offset = reinterpret_cast<uintptr_t>(metrics->otmpFamilyName);
    if (offset < sizeof(OUTLINETEXTMETRICW) || offset >= size) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const char*>(buffer.data()) + offset;
    const size_t limit = (size - offset) / sizeof(char16_t);
    std::u16string family;
    for (size_t i = 0; i < limit; ++i) {
        char16_t unit;
        std::memcpy(&unit, bytes + i * sizeof(char16_t), sizeof(unit));
        if (unit == 0) {
            break;
        }
        family.push_back(unit);
    }
    return family;
}

class GdiFont final : public ShapedFont {
  public:
    explicit GdiFont(FontHandles handles) : handles_(std::move(handles)) {}

    TextFontMetrics Metrics() const override;
    std::u16string ResolvedFamily() const override;
    Size Measure(std::u16string_view text, int width, unsigned layout) const override;
    TextCoverage Render(std::u16string_view text, Size size, unsigned layout) const override;
    int CountMissingGlyphs(std::u16string_view text) const override;

  private:
    std::u16string FitWithEllipsis(std::u16string_view text, Size size) const;

    FontHandles handles_;
};

TextFontMetrics GdiFont::Metrics() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(handles_.Dc(), &metrics);
    return TextFontMetrics{metrics.tmAscent, metrics.tmDescent, metrics.tmAveCharWidth};
}

std::u16string GdiFont::ResolvedFamily() const {
    std::u16string family = OutlineFamily(handles_.Dc());
    if (!family.empty()) {
        return family;
    }
    // Bitmap faces have no outline metrics; for them the face name is the face drawn.
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(handles_.Dc(), LF_FACESIZE, face);
    return std::u16string(reinterpret_cast<const char16_t*>(face), wcsnlen(face, LF_FACESIZE));
}

Size GdiFont::Measure(std::u16string_view text, int width, unsigned layout) const {
    if (text.empty()) {
        return Size{0, Metrics().ascent + Metrics().descent};
    }
    RECT rc{0, 0, Wraps(layout, width) ? width : kUnlimitedWidth, 0};
    DrawTextW(handles_.Dc(), Wide(text), static_cast<int>(text.size()), &rc,
              LineFlags(layout, width) | DT_CALCRECT);
    return Size{rc.right - rc.left, rc.bottom - rc.top};
}

// The longest start of the text that, with an ellipsis, still wraps into the rectangle.
std::u16string GdiFont::FitWithEllipsis(std::u16string_view text, Size size) const {
    const unsigned wrap = TL::kWordBreak;
    if (Measure(text, size.cx, wrap).cy <= size.cy) {
        return std::u16string(text);
    }
    const auto shortened = [&](size_t count) {
        std::u16string start(text.substr(0, count));
        while (!start.empty() && (start.back() == u' ' || start.back() == u'\n')) {
            start.pop_back();
        }
        return start + kEllipsis;
    };
    size_t low = 0;
    size_t high = text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (Measure(shortened(middle), size.cx, wrap).cy <= size.cy) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    // Never split a surrogate pair.
    if (low > 0 && low < text.size() && text[low - 1] >= 0xD800 && text[low - 1] < 0xDC00) {
        --low;
    }
    return shortened(low);
}

TextCoverage GdiFont::Render(std::u16string_view text, Size size, unsigned layout) const {
    const bool ellipsis = (layout & TL::kEndEllipsis) && size.cx > 0;
    std::u16string shown(text);
    UINT flags = LineFlags(layout, size.cx) | DT_NOCLIP;
    if (ellipsis && Wraps(layout, size.cx) && size.cy > 0) {
        shown = FitWithEllipsis(text, size);
    } else if (ellipsis) {
        flags |= DT_END_ELLIPSIS;
    }
    const Size block = Measure(shown, size.cx, layout & ~TL::kEndEllipsis);
    int top = 0;
    if (layout & TL::kVCenter) {
        top = (size.cy - block.cy) / 2;
    } else if (layout & TL::kBottom) {
        top = size.cy - block.cy;
    }
    const Rect region = CoverageRegion(size, block, top, layout);
    CoverageBitmap bitmap(handles_.Dc(), region.Width(), region.Height());
    if (!bitmap.IsValid()) {
        return {};
    }
    // The lines are aligned in the rectangle's width, as the controls lay them out.
    RECT rc{-region.left, top - region.top, size.cx - region.left, top + block.cy - region.top};
    if (ellipsis && (flags & DT_END_ELLIPSIS)) {
        rc.right = rc.left + size.cx;
    }
    DrawTextW(handles_.Dc(), Wide(shown), static_cast<int>(shown.size()), &rc, flags);
    return bitmap.Coverage(region.left, region.top);
}

int GdiFont::CountMissingGlyphs(std::u16string_view text) const {
    if (text.empty()) {
        return 0;
    }
    std::vector<WORD> glyphs(text.size());
    if (GetGlyphIndicesW(handles_.Dc(), Wide(text), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return 0;
    }
    int missing = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size();
        const bool absent = glyphs[i] == 0xFFFF || (pair && glyphs[i + 1] == 0xFFFF);
        // Control characters such as line breaks have no glyph in any face and draw nothing.
        if (absent && text[i] >= 0x20) {
            ++missing;
        }
        i += pair ? 1 : 0;
    }
    return missing;
}

}  // namespace

std::unique_ptr<ShapedFont> GdiTextShaper::MakeFont(const TextFontSpec& spec) {
    return std::make_unique<GdiFont>(FontHandles(spec));
}

}  // namespace platform::win32

namespace platform {

TextShaper& SystemTextShaper() {
    static win32::GdiTextShaper shaper;
    return shaper;
}

}  // namespace platform
