// The paint order of a control: background colour, background image, state images, text and
// border, each limited to the part of the window being painted.
#include "uikit/controls/ControlUI.h"
#include "uikit/draw/ShapePainter.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

bool CControlUI::Paint(cairo_t* cr, const Rect& paint, CControlUI* stopControl) {
    if (stopControl == this) {
        return false;
    }
    if (!DoPaint(cr, paint, stopControl)) {
        return false;
    }
    if (cover_ != nullptr && cover_->IsVisible()) {
        return cover_->Paint(cr, paint, stopControl);
    }
    return true;
}

bool CControlUI::DoPaint(cairo_t* cr, const Rect& paint, CControlUI* /*stopControl*/) {
    rcPaint_ = Intersect(paint, rcItem_);
    if (rcPaint_.IsEmpty()) {
        return true;
    }
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
        ClipScope clip(cr, rcItem_, borderRound_.cx, borderRound_.cy);
        PaintBkColor(cr);
        PaintBkImage(cr);
        PaintStatusImage(cr);
        PaintText(cr);
    } else {
        PaintBkColor(cr);
        PaintBkImage(cr);
        PaintStatusImage(cr);
        PaintText(cr);
    }
    PaintBorder(cr);
    DoPostPaint(cr, paint);
    return true;
}

void CControlUI::PaintBkColor(cairo_t* cr) {
    if (bkColor_ == 0) {
        return;
    }
    ClipScope clip(cr, rcPaint_);
    if (bkColor2_ == 0) {
        FillRect(cr, rcItem_, bkColor_);
        return;
    }
    if (bkColor3_ == 0) {
        FillGradient(cr, rcItem_, bkColor_, bkColor2_, true);
        return;
    }
    // Three colours: the first half fades from the first to the second, the rest to the third.
    Rect top = rcItem_;
    top.bottom = (rcItem_.top + rcItem_.bottom) / 2;
    Rect bottom = rcItem_;
    bottom.top = top.bottom;
    FillGradient(cr, top, bkColor_, bkColor2_, true);
    FillGradient(cr, bottom, bkColor2_, bkColor3_, true);
}

void CControlUI::PaintBkImage(cairo_t* cr) {
    DrawImage(cr, bkImage_);
}

void CControlUI::PaintBorder(cairo_t* cr) {
    const uint32_t color = focused_ && focusBorderColor_ != 0 ? focusBorderColor_ : borderColor_;
    if (color == 0) {
        return;
    }
    ClipScope clip(cr, rcPaint_);
    if (borderSize_ > 0 && (borderRound_.cx > 0 || borderRound_.cy > 0)) {
        DrawRoundBorder(cr, rcItem_, borderSize_, borderRound_.cx, borderRound_.cy, color);
    } else if (borderSize_ > 0) {
        DrawBorder(cr, rcItem_, borderSize_, color);
    } else if (!(borderSizes_ == Rect{})) {
        DrawBorder(cr, rcItem_, borderSizes_, color);
    }
}

bool CControlUI::DrawImage(cairo_t* cr, ImageAttributeUI& image) {
    return DrawImage(cr, image, rcItem_);
}

bool CControlUI::DrawImage(cairo_t* cr, ImageAttributeUI& image, const Rect& item) {
    if (manager_ == nullptr || image.IsEmpty()) {
        return false;
    }
    return image.Draw(cr, manager_->Resources(), item, rcPaint_);
}

}  // namespace uikit
