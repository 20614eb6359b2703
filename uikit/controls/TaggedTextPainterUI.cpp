#include "uikit/controls/TaggedTextPainterUI.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

// A run placed on a line.
struct Piece {
    const TaggedRunUI* run = nullptr;
    FontPtr font;
    ImageDescriptor image;
    int x = 0;  // from the line's start
    Size size;
};

struct Line {
    std::vector<Piece> pieces;
    int width = 0;
    int height = 0;
};

FontPtr StyledFont(const TaggedStyleUI& style, const TaggedPaintParamsUI& params) {
    FontPtr base = params.manager->GetFont(style.fontId >= 0 ? style.fontId : params.fontId);
    FontInfo info = base->Info();
    if (!style.fontFace.empty()) {
        info.face = style.fontFace;
        info.size = style.fontSize > 0 ? style.fontSize : info.size;
    }
    info.bold = info.bold || style.bold;
    info.italic = info.italic || style.italic;
    info.underline = info.underline || style.underline;
    if (info.face == base->Info().face && info.size == base->Info().size &&
        info.bold == base->Info().bold && info.italic == base->Info().italic &&
        info.underline == base->Info().underline) {
        return base;
    }
    // Styled variants are few (a handful per skin), so they are kept for the process.
    using Key = std::tuple<std::u16string, int, bool, bool, bool>;
    static std::map<Key, FontPtr>* cache = new std::map<Key, FontPtr>();
    const Key key{info.face, info.size, info.bold, info.italic, info.underline};
    auto found = cache->find(key);
    if (found == cache->end()) {
        found = cache->emplace(key, std::make_shared<const FontUI>(info)).first;
    }
    return found->second;
}

std::vector<Line> LayOut(const TaggedTextUI& text, const TaggedPaintParamsUI& params) {
    std::vector<Line> lines(1);
    for (const TaggedRunUI& run : text.runs) {
        Line& line = lines.back();
        if (run.kind == TaggedRunUI::Kind::LineBreak) {
            lines.emplace_back();
            continue;
        }
        if (run.kind == TaggedRunUI::Kind::MoveX) {
            line.width += run.amount;
            continue;
        }
        Piece piece;
        piece.run = &run;
        if (line.pieces.empty() && line.width == 0) {
            line.width = run.style.indent;
        }
        piece.x = line.width;
        if (run.kind == TaggedRunUI::Kind::Image) {
            piece.image = ParseImageDescriptor(run.text);
            if (auto image = params.manager->Resources().ResolveImage(piece.image)) {
                piece.size = Size{image->width, image->height};
            }
        } else {
            piece.font = StyledFont(run.style, params);
            piece.size = MeasureText(*piece.font, run.text, 0, TextStyle::kSingleLine);
            piece.size.cy = std::max(piece.size.cy, piece.font->Metrics().height);
        }
        line.width += piece.size.cx;
        line.height = std::max({line.height, piece.size.cy, run.style.lineHeight});
        line.pieces.push_back(std::move(piece));
    }
    for (Line& line : lines) {
        if (line.height == 0) {
            line.height = params.manager->GetFont(params.fontId)->Metrics().height;
        }
    }
    return lines;
}

uint32_t PieceColor(const TaggedStyleUI& style, const TaggedPaintParamsUI& params) {
    if (style.color != 0) {
        return style.color;
    }
    if (style.link >= 0) {
        const WindowAttributesUI& a = params.manager->Attributes();
        return style.link == params.hoverLink ? a.linkHoverFontColor : a.linkFontColor;
    }
    return params.color;
}

void DrawPiece(cairo_t* cr, Piece& piece, const Rect& box, const Rect& clip,
               const TaggedPaintParamsUI& params) {
    const TaggedStyleUI& style = piece.run->style;
    if (style.selected) {
        FillRect(cr, Intersect(box, clip), params.manager->Attributes().selectedColor);
    }
    if (piece.run->kind == TaggedRunUI::Kind::Image) {
        DrawImageUI(cr, params.manager->Resources(), piece.image, box, clip);
        return;
    }
    DrawTextUI(cr, *piece.font, box, piece.run->text, PieceColor(style, params),
               TextStyle::kSingleLine | TextStyle::kNoClip);
}

}  // namespace

Size PaintTaggedText(cairo_t* cr, const TaggedTextUI& text, const Rect& rc,
                     const TaggedPaintParamsUI& params, std::vector<TaggedLinkRectUI>* linkRects) {
    if (params.manager == nullptr) {
        return Size{};
    }
    std::vector<Line> lines = LayOut(text, params);
    Size total;
    for (const Line& line : lines) {
        total.cx = std::max(total.cx, line.width);
        total.cy += line.height;
    }
    int y = rc.top;
    if ((params.style & TextStyle::kVCenter) != 0) {
        y = rc.top + (rc.Height() - total.cy) / 2;
    } else if ((params.style & TextStyle::kBottom) != 0) {
        y = rc.bottom - total.cy;
    }
    for (Line& line : lines) {
        int x = rc.left;
        if ((params.style & TextStyle::kCenter) != 0) {
            x = rc.left + (rc.Width() - line.width) / 2;
        } else if ((params.style & TextStyle::kRight) != 0) {
            x = rc.right - line.width;
        }
        for (Piece& piece : line.pieces) {
            int top = y + line.height - piece.size.cy;  // bottom of the line
            if (piece.run->style.valign == u'c') {
                top = y + (line.height - piece.size.cy) / 2;
            } else if (piece.run->style.valign == u't') {
                top = y;
            }
            const Rect box{x + piece.x, top, x + piece.x + piece.size.cx, top + piece.size.cy};
            if (linkRects != nullptr && piece.run->style.link >= 0) {
                linkRects->push_back(TaggedLinkRectUI{piece.run->style.link, box});
            }
            if (cr != nullptr) {
                ClipScope clip(cr, rc);
                DrawPiece(cr, piece, box, rc, params);
            }
        }
        y += line.height;
    }
    return total;
}

}  // namespace uikit
