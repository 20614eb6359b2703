#include "uikit/controls/TextUI.h"

#include "uikit/draw/TextPainter.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

CTextUI::CTextUI() {
    textStyle_ = TextStyle::kWordBreak;
}

std::u16string_view CTextUI::GetClass() const {
    return u"TextUI";
}

void* CTextUI::GetInterface(std::u16string_view name) {
    return name == u"Text" ? this : CLabelUI::GetInterface(name);
}

unsigned CTextUI::GetControlFlags() const {
    return IsEnabled() && !Tagged().links.empty() ? kControlFlagSetCursor : 0;
}

int CTextUI::LinkAt(Point pt) const {
    for (const TaggedLinkRectUI& link : linkRects_) {
        if (link.rc.Contains(pt)) {
            return link.link;
        }
    }
    return -1;
}

std::u16string_view CTextUI::GetLinkContent(int index) const {
    const auto& links = Tagged().links;
    if (index < 0 || static_cast<size_t>(index) >= links.size()) {
        return {};
    }
    return links[static_cast<size_t>(index)];
}

void CTextUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_SETCURSOR:
            return;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_BUTTONUP:
            if (IsEnabled()) {
                const int link = LinkAt(event.ptMouse);
                if (link >= 0) {
                    if (event.type == UIEVENT_BUTTONUP) {
                        SendNotify(u"link", static_cast<uintptr_t>(link));
                    }
                    return;
                }
            }
            break;
        case UIEVENT_MOUSEMOVE:
        case UIEVENT_MOUSELEAVE: {
            const int link = event.type == UIEVENT_MOUSEMOVE ? LinkAt(event.ptMouse) : -1;
            if (link != hoverLink_) {
                hoverLink_ = link;
                Invalidate();
            }
            break;
        }
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CTextUI::PaintText(cairo_t* cr) {
    linkRects_.clear();
    if (text_.empty() || manager_ == nullptr) {
        return;
    }
    if (!showHtml_) {
        CLabelUI::PaintText(cr);
        return;
    }
    const Rect rc{rcItem_.left + textPadding_.left, rcItem_.top + textPadding_.top,
                  rcItem_.right - textPadding_.right, rcItem_.bottom - textPadding_.bottom};
    const uint32_t color = EffectiveTextColor(IsEnabled() ? textColor_ : disabledTextColor_);
    TaggedPaintParamsUI params{manager_, font_, color, textStyle_, hoverLink_};
    PaintTaggedText(cr, Tagged(), rc, params, &linkRects_);
}

}  // namespace uikit
