#pragma once

#include "catalog/OrdersList.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/INotifyUI.h"

// One row of the orders page. The order number is a read-only edit box so the player can
// select and copy it.
class MyOrderTileLayout : public uikit::INotifyUI, public uikit::CContainerUI {
  public:
    // The order lives in the order list, which outlives every window.
    explicit MyOrderTileLayout(const OrderRecord& order) : order_(&order) {}
    ~MyOrderTileLayout() override;

    std::u16string_view GetClass() const override { return u"OrderList"; }
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void DoEvent(uikit::EventRecordUI& event) override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;
    void Notify(uikit::NotifyRecordUI&) override {}

    const OrderRecord& Order() const { return *order_; }

  private:
    void SetHot(bool hot);

    const OrderRecord* order_;
    uikit::CControlUI* row_ = nullptr;     // "orderList"
    uikit::CControlUI* number_ = nullptr;  // "OrderNumber"
    bool built_ = false;
};
