#include "ui/items/MyOrderTileLayout.h"

#include "ui/items/ItemSupport.h"

using namespace uikit;

namespace {

// No order is ever marked refunded by loading; the refunded text ("已退款") has no source yet.
constexpr std::u16string_view kPaidText = u"已付款";

void SetTextOf(CControlUI& row, std::u16string_view name, std::u16string_view text) {
    if (CControlUI* control = FindInItem(row, name)) {
        control->SetText(text);
    }
}

}  // namespace

void MyOrderTileLayout::OnBuilt() {
    row_ = FindInItem(*this, u"orderList");
    number_ = FindInItem(*this, u"OrderNumber");
    SetTextOf(*this, u"OrderName", order_->orderName);
    SetTextOf(*this, u"OrderNumber", order_->orderId);
    SetTextOf(*this, u"OrderTime", order_->chargeTime2S);
    SetTextOf(*this, u"OrderStatus", kPaidText);
}

void MyOrderTileLayout::SetHot(bool hot) {
    for (CControlUI* control : {row_, number_}) {
        if (control != nullptr) {
            control->SetBkColor(hot ? kItemHotColor : kItemColdColor);
        }
    }
    ShowHandCursor(hot);
}

void MyOrderTileLayout::DoEvent(EventRecordUI& event) {
    if (const std::optional<bool> hot = HoverAfter(*this, event)) {
        SetHot(*hot);
    }
    CContainerUI::DoEvent(event);
}
