// The orders answer.
#include <cstddef>
#include <cstdint>

#include "catalog/OrdersList.h"
#include "catalog/OrdersLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OrdersList orders;
    FillOrdersList(reinterpret_cast<const char*>(data), size, orders);
    return 0;
}
