#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct OrderRecord {
    std::u16string orderId;
    std::u16string orderName;
    std::u16string chargeTime2S;  // time of the order as display text
    int32_t status = 0;           // stored, not shown
};

// The player's orders in server order, filled once by LoadOrders.
using OrdersList = std::vector<OrderRecord>;

// The process-wide order list.
OrdersList& ProcessOrders();
