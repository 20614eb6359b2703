#include "uikit/controls/EditUI.h"

#include <algorithm>
#include <cstdlib>

#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace uikit {

namespace {

CEditUI::ClipboardWriter& Clipboard() {
    static CEditUI::ClipboardWriter writer;
    return writer;
}

}  // namespace

void CEditUI::SetClipboardWriter(ClipboardWriter writer) {
    Clipboard() = std::move(writer);
}

CEditUI::CEditUI() {
    textPadding_ = Rect{4, 3, 4, 3};
    bkColor_ = 0xFFFFFFFF;
}

std::u16string_view CEditUI::GetClass() const {
    return u"EditUI";
}

void* CEditUI::GetInterface(std::u16string_view name) {
    return name == u"Edit" ? this : CLabelUI::GetInterface(name);
}

unsigned CEditUI::GetControlFlags() const {
    return IsEnabled() ? kControlFlagSetCursor : 0;
}

void CEditUI::SetText(std::u16string_view text) {
    CLabelUI::SetText(text);
    const int size = static_cast<int>(text_.size());
    selStart_ = std::min(selStart_, size);
    selEnd_ = std::min(selEnd_, size);
}

void CEditUI::SetSel(int start, int end) {
    const int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selEnd_ = std::clamp(end, 0, size);
    Invalidate();
}

std::u16string CEditUI::GetSelText() const {
    const int from = std::min(selStart_, selEnd_);
    const int to = std::max(selStart_, selEnd_);
    return text_.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

bool CEditUI::Copy() const {
    // A password never leaves the box.
    if (password_ || selStart_ == selEnd_ || !Clipboard()) {
        return false;
    }
    Clipboard()(GetSelText());
    return true;
}

std::u16string CEditUI::ShownText() const {
    return password_ ? std::u16string(text_.size(), passwordChar_) : text_;
}

Rect CEditUI::TextRect() const {
    return Rect{rcItem_.left + textPadding_.left, rcItem_.top + textPadding_.top,
                rcItem_.right - textPadding_.right, rcItem_.bottom - textPadding_.bottom};
}

int CEditUI::WidthOf(size_t characters) const {
    if (manager_ == nullptr || characters == 0) {
        return 0;
    }
    const std::u16string shown = ShownText();
    return MeasureText(*manager_->GetFont(font_), std::u16string_view(shown).substr(0, characters),
                       0, TextStyle::kSingleLine)
        .cx;
}

int CEditUI::TextStart() const {
    const Rect rc = TextRect();
    if ((textStyle_ & TextStyle::kCenter) != 0) {
        return rc.left + (rc.Width() - WidthOf(text_.size())) / 2;
    }
    if ((textStyle_ & TextStyle::kRight) != 0) {
        return rc.right - WidthOf(text_.size());
    }
    return rc.left;
}

int CEditUI::OffsetAt(int x) const {
    const int start = TextStart();
    int best = 0;
    int bestDistance = std::abs(x - start);
    for (size_t i = 1; i <= text_.size(); ++i) {
        const int distance = std::abs(x - (start + WidthOf(i)));
        if (distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

void CEditUI::Type(char16_t ch) {
    if (readOnly_ || ch < u' ' || static_cast<int>(text_.size()) >= maxChar_) {
        return;
    }
    if (numberOnly_ && (ch < u'0' || ch > u'9')) {
        return;
    }
    const int from = std::min(selStart_, selEnd_);
    const int to = std::max(selStart_, selEnd_);
    std::u16string text = text_;
    text.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), 1, ch);
    CLabelUI::SetText(text);
    selStart_ = selEnd_ = from + 1;
    SendNotify(u"textchanged");
}

bool CEditUI::HandleKey(const EventRecordUI& event) {
    const bool control = (event.keyState & kKeyStateControl) != 0;
    if (control && (event.chKey == u'C' || event.chKey == u'c')) {
        Copy();
        return true;
    }
    if (control && (event.chKey == u'A' || event.chKey == u'a')) {
        SetSelAll();
        return true;
    }
    if (event.chKey == kKeyReturn) {
        SendNotify(u"return");
        return true;
    }
    if (event.chKey == kKeyBack && !readOnly_) {
        int from = std::min(selStart_, selEnd_);
        const int to = std::max(selStart_, selEnd_);
        if (from == to && from > 0) {
            --from;
        }
        if (from < to) {
            std::u16string text = text_;
            text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
            CLabelUI::SetText(text);
            selStart_ = selEnd_ = from;
            SendNotify(u"textchanged");
        }
        return true;
    }
    return false;
}

void CEditUI::DoEvent(EventRecordUI& event) {
    switch (event.type) {
        case UIEVENT_SETCURSOR:
            return;
        case UIEVENT_BUTTONDOWN:
            if (IsEnabled()) {
                selStart_ = selEnd_ = OffsetAt(event.ptMouse.x);
                selecting_ = true;
                Invalidate();
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if (selecting_) {
                selEnd_ = OffsetAt(event.ptMouse.x);
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            selecting_ = false;
            return;
        case UIEVENT_DBLCLICK:
            SetSelAll();
            return;
        case UIEVENT_KEYDOWN:
            if (HandleKey(event)) {
                return;
            }
            break;
        case UIEVENT_CHAR:
            if (!(event.keyState & kKeyStateControl)) {
                Type(event.chKey);
            }
            return;
        case UIEVENT_KILLFOCUS:
            selecting_ = false;
            break;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (name == u"readonly") {
        SetReadOnly(ParseBool(value));
    } else if (name == u"numberonly") {
        numberOnly_ = ParseBool(value);
    } else if (name == u"password") {
        password_ = ParseBool(value);
    } else if (name == u"passwordchar") {
        passwordChar_ = value.empty() ? u'*' : value.front();
    } else if (name == u"maxchar") {
        SetMaxChar(ParseInt(value));
    } else if (name == u"nativebkcolor") {
        nativeBkColor_ = ParseColor(value);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CEditUI::PaintBkColor(cairo_t* cr) {
    // While focused the box shows the colour its native editor would have.
    if (IsFocused() && nativeBkColor_ != 0) {
        ClipScope clip(cr, PaintRect());
        FillRect(cr, rcItem_, nativeBkColor_);
        return;
    }
    CLabelUI::PaintBkColor(cr);
}

void CEditUI::PaintText(cairo_t* cr) {
    if (manager_ == nullptr) {
        return;
    }
    const Rect rc = TextRect();
    if (selStart_ != selEnd_) {
        const int start = TextStart();
        const int from = start + WidthOf(static_cast<size_t>(std::min(selStart_, selEnd_)));
        const int to = start + WidthOf(static_cast<size_t>(std::max(selStart_, selEnd_)));
        ClipScope clip(cr, rc);
        FillRect(cr, Rect{from, rc.top, to, rc.bottom}, manager_->Attributes().selectedColor);
    }
    const uint32_t color = EffectiveTextColor(IsEnabled() ? textColor_ : disabledTextColor_);
    DrawTextUI(cr, *manager_->GetFont(font_), rc, ShownText(), color,
               textStyle_ | TextStyle::kSingleLine);
}

}  // namespace uikit
