#include "uikit/controls/ButtonUI.h"

#include <algorithm>

#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

// Button captions sit in the middle; the skin writes align="left" where it wants otherwise.
CButtonUI::CButtonUI() {
    textStyle_ = TextStyle::kSingleLine | TextStyle::kVCenter | TextStyle::kCenter;
}

std::u16string_view CButtonUI::GetClass() const {
    return u"ButtonUI";
}

void* CButtonUI::GetInterface(std::u16string_view name) {
    return name == u"Button" ? this : CLabelUI::GetInterface(name);
}

unsigned CButtonUI::GetControlFlags() const {
    return IsEnabled() ? kControlFlagSetCursor : 0;
}

bool CButtonUI::Activate() {
    if (!CLabelUI::Activate()) {
        return false;
    }
    SendNotify(u"click");
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!enabled) {
        hot_ = pushed_ = captured_ = false;
    }
}

void CButtonUI::DoEvent(EventRecordUI& event) {
    const bool inside = rcItem_.Contains(event.ptMouse);
    switch (event.type) {
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && (event.chKey == kKeySpace || event.chKey == kKeyReturn)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (inside && IsEnabled()) {
                pushed_ = captured_ = true;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (captured_) {
                pushed_ = inside;
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (captured_) {
                const bool activate = inside && IsEnabled();
                pushed_ = captured_ = false;
                Invalidate();
                // Last: a click handler may remove this button.
                if (activate) {
                    Activate();
                }
            }
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                hot_ = true;
                StartFade(true);
                Invalidate();
            }
            return;
        case UIEVENT_MOUSELEAVE:
            hot_ = false;
            StartFade(false);
            Invalidate();
            return;
        case UIEVENT_TIMER:
            if (event.wParam == kFadeTimerId) {
                StepFade();
                return;
            }
            break;
        case UIEVENT_SETCURSOR:
            return;  // the hand cursor, whatever "cursor" says
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"normalimage") {
        normalImage_.Set(value);
    } else if (name == u"hotimage") {
        hotImage_.Set(value);
    } else if (name == u"pushedimage") {
        pushedImage_.Set(value);
    } else if (name == u"focusedimage") {
        focusedImage_.Set(value);
    } else if (name == u"disabledimage") {
        disabledImage_.Set(value);
    } else if (name == u"foreimage") {
        foreImage_.Set(value);
    } else if (name == u"hotforeimage") {
        hotForeImage_.Set(value);
    } else if (name == u"hotbkcolor") {
        hotBkColor_ = ParseColor(value);
    } else if (name == u"hottextcolor") {
        hotTextColor_ = ParseColor(value);
    } else if (name == u"pushedtextcolor") {
        pushedTextColor_ = ParseColor(value);
    } else if (name == u"fadedelta") {
        fadeDelta_ = std::clamp(ParseInt(value), 0, 255);
    } else if (name == u"focusedtextcolor") {
        focusedTextColor_ = ParseColor(value);
    } else {
        CLabelUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CButtonUI::PaintBkColor(cairo_t* cr) {
    if (hot_ && hotBkColor_ != 0) {
        ClipScope clip(cr, PaintRect());
        FillRect(cr, rcItem_, hotBkColor_);
        return;
    }
    CLabelUI::PaintBkColor(cr);
}

void CButtonUI::StartFade(bool in) {
    if (fadeDelta_ <= 0 || manager_ == nullptr) {
        return;
    }
    fadingIn_ = in;
    manager_->KillTimer(this, kFadeTimerId);
    manager_->SetTimer(this, kFadeTimerId, kFadePeriodMs);
}

void CButtonUI::StepFade() {
    fadeAlpha_ = std::clamp(fadeAlpha_ + (fadingIn_ ? fadeDelta_ : -fadeDelta_), 0, 255);
    if ((fadingIn_ && fadeAlpha_ == 255) || (!fadingIn_ && fadeAlpha_ == 0)) {
        manager_->KillTimer(this, kFadeTimerId);
    }
    Invalidate();
}

bool CButtonUI::PaintButtonImages(cairo_t* cr) {
    if (!IsEnabled()) {
        return DrawImage(cr, disabledImage_) || DrawImage(cr, normalImage_);
    }
    if (pushed_ && DrawImage(cr, pushedImage_)) {
        return true;
    }
    if (fadeDelta_ > 0 && !pushed_ && !hotImage_.IsEmpty() && manager_ != nullptr) {
        // Fading: the normal image with the hot one laid over it at the current strength.
        const bool drawn = DrawImage(cr, normalImage_);
        if (fadeAlpha_ > 0) {
            hotImage_.Draw(cr, manager_->Resources(), rcItem_, PaintRect(),
                           static_cast<uint8_t>(fadeAlpha_));
        }
        return drawn || fadeAlpha_ > 0;
    }
    if ((hot_ || pushed_) && DrawImage(cr, hotImage_)) {
        return true;
    }
    if (IsFocused() && DrawImage(cr, focusedImage_)) {
        return true;
    }
    return DrawImage(cr, normalImage_);
}

void CButtonUI::PaintForeImages(cairo_t* cr) {
    if (hot_ && DrawImage(cr, hotForeImage_)) {
        return;
    }
    DrawImage(cr, foreImage_);
}

void CButtonUI::PaintStatusImage(cairo_t* cr) {
    PaintButtonImages(cr);
    PaintForeImages(cr);
}

void CButtonUI::PaintText(cairo_t* cr) {
    uint32_t color = IsEnabled() ? textColor_ : disabledTextColor_;
    if (pushed_ && pushedTextColor_ != 0) {
        color = pushedTextColor_;
    } else if (hot_ && hotTextColor_ != 0) {
        color = hotTextColor_;
    } else if (IsFocused() && focusedTextColor_ != 0) {
        color = focusedTextColor_;
    }
    DrawLabelText(cr, color);
}

}  // namespace uikit
