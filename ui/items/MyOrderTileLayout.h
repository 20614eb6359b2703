#pragma once

#include "catalog/OrdersList.h"
#include "ui/items/ItemControl.h"

// One row of the orders page. The order number is a read-only edit box so the player can
// select and copy it.
class MyOrderTileLayout : public ItemControl {
  public:
    // The order lives in the order list, which outlives every window. The skin holds the file
    // with a capital letter; markup names are matched without case.
    explicit MyOrderTileLayout(const OrderRecord& order)
        : ItemControl(u"OrderList", u"orderList.xml"), order_(&order) {}

    void DoEvent(uikit::EventRecordUI& event) override;

    const OrderRecord& Order() const { return *order_; }

  protected:
    void OnBuilt() override;

  private:
    void SetHot(bool hot);

    const OrderRecord* order_;
    uikit::CControlUI* row_ = nullptr;     // "orderList"
    uikit::CControlUI* number_ = nullptr;  // "OrderNumber"
};
