// How a menu item measures and draws itself: separator line, check mark, icon, text and the
// arrow of a sub-menu entry, in columns the whole menu shares.
#include <algorithm>

#include "uikit/draw/ShapePainter.h"
#include "uikit/draw/TextPainter.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/MenuGlyphs.h"
#include "uikit/window/MenuUI.h"

namespace uikit {

namespace {

// Room around the text of an item without fixed size: beside it, and above and below it.
constexpr int kTextMargin = 12;
constexpr int kTextVMargin = 6;
constexpr int kIconVMargin = 4;

MenuColumnsUI ColumnsOf(const CMenuElementUI& element) {
    const CMenuUI* menu = element.GetMenu();
    return menu != nullptr ? menu->Columns() : MenuColumnsUI{};
}

Rect CentredBox(const Rect& item, int left, Size size) {
    const int top = item.top + (item.Height() - size.cy) / 2;
    return Rect{item.left + left, top, item.left + left + size.cx, top + size.cy};
}

}  // namespace

Size CMenuElementUI::EstimateSize(Size /*available*/) {
    Size size{GetFixedWidth(), GetFixedHeight()};
    if (size.cy <= 0) {
        size.cy = NaturalHeight();
    }
    if (size.cx <= 0 && !separator_) {
        size.cx = NaturalWidth();
    }
    return size;
}

int CMenuElementUI::NaturalHeight() {
    if (separator_) {
        return linePadding_.top + 1 + linePadding_.bottom;
    }
    const CListUI* list = GetOwner();
    const Rect padding = list != nullptr ? list->GetListInfo().textPadding : Rect{};
    int text = 0;
    if (manager_ != nullptr) {
        const int font = list != nullptr ? list->GetListInfo().font : -1;
        text = manager_->GetFont(font)->Metrics().height + 2 * kTextVMargin;
    }
    const int icon = HasIcon() ? iconSize_.cy + 2 * kIconVMargin : 0;
    return std::max(text, icon) + padding.top + padding.bottom;
}

int CMenuElementUI::NaturalWidth() {
    const CListUI* list = GetOwner();
    if (manager_ == nullptr || list == nullptr) {
        return 0;
    }
    const ListInfoUI& info = list->GetListInfo();
    const MenuColumnsUI columns = ColumnsOf(*this);
    const int text =
        MeasureText(*manager_->GetFont(info.font), GetText(), 0, TextStyle::kSingleLine).cx;
    const int before = columns.textLeft > 0 ? columns.textLeft : kTextMargin;
    const int after = columns.arrowWidth > 0 ? columns.arrowWidth : kTextMargin;
    return before + info.textPadding.left + text + info.textPadding.right + after;
}

Rect CMenuElementUI::TextRect(const MenuColumnsUI& columns) const {
    const CListUI* list = GetOwner();
    const Rect padding = list != nullptr ? list->GetListInfo().textPadding : Rect{};
    return Rect{rcItem_.left + columns.textLeft + padding.left, rcItem_.top + padding.top,
                rcItem_.right - columns.arrowWidth - padding.right,
                rcItem_.bottom - padding.bottom};
}

uint32_t CMenuElementUI::CurrentTextColor() const {
    const CListUI* list = GetOwner();
    if (list == nullptr) {
        return 0;
    }
    const ListInfoUI& info = list->GetListInfo();
    if (!IsEnabled() && info.disabledTextColor != 0) {
        return info.disabledTextColor;
    }
    if ((IsHot() || IsSelected()) && info.selectedTextColor != 0) {
        return info.selectedTextColor;
    }
    return info.textColor;
}

void CMenuElementUI::PaintSeparator(cairo_t* cr) {
    const Rect inner{rcItem_.left + linePadding_.left, rcItem_.top + linePadding_.top,
                     rcItem_.right - linePadding_.right, rcItem_.bottom - linePadding_.bottom};
    if (inner.Width() <= 0) {
        return;
    }
    const int y = inner.top + std::max(0, inner.Height() - 1) / 2;
    ClipScope clip(cr, PaintRect());
    FillRect(cr, Rect{inner.left, y, inner.right, y + 1}, lineColor_);
}

void CMenuElementUI::PaintStatusImage(cairo_t* cr) {
    if (separator_) {
        PaintSeparator(cr);
        return;
    }
    const MenuColumnsUI columns = ColumnsOf(*this);
    ClipScope clip(cr, PaintRect());
    if (checkItem_ && checked_ && columns.checkWidth > 0) {
        DrawMenuCheckMark(cr, CentredBox(rcItem_, columns.checkLeft, {columns.checkWidth, 12}),
                          CurrentTextColor());
    }
    if (HasIcon()) {
        DrawImage(cr, icon_, CentredBox(rcItem_, columns.iconLeft, iconSize_));
    }
    if (HasSubMenu() && columns.arrowWidth > 0) {
        DrawMenuArrow(
            cr,
            Rect{rcItem_.right - columns.arrowWidth, rcItem_.top, rcItem_.right, rcItem_.bottom},
            CurrentTextColor());
    }
}

void CMenuElementUI::PaintText(cairo_t* cr) {
    CListUI* list = GetOwner();
    if (separator_ || list == nullptr || manager_ == nullptr || GetText().empty()) {
        return;
    }
    const ListInfoUI& info = list->GetListInfo();
    DrawTextUI(cr, *manager_->GetFont(info.font), TextRect(ColumnsOf(*this)), GetText(),
               CurrentTextColor(), info.textStyle | TextStyle::kSingleLine);
}

}  // namespace uikit
