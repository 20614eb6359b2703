#include "catalog/OrdersLoader.h"

#include <cstdio>
#include <string>

#include "api/Endpoints.h"
#include "api/JsonAnswer.h"
#include "catalog/JsonFields.h"
#include "context/Messages.h"
#include "context/PostToMainWindow.h"
#include "context/WorkerJob.h"

using JsonFields::ReadArray;
using JsonFields::ReadInt;
using JsonFields::ReadText;

void FillOrdersList(const char* answer, size_t length, OrdersList& orders) {
    Json::Value root;
    const Json::Value* elements = nullptr;
    if (!ParseJsonAnswer(answer, length, root) || !ReadArray(root, "orderInfos", elements)) {
        return;
    }
    for (const Json::Value& element : *elements) {
        OrderRecord order;
        if (ReadText(element, "orderId", order.orderId) &&
            ReadText(element, "orderName", order.orderName) &&
            ReadText(element, "chargeTime2S", order.chargeTime2S) &&
            ReadInt(element, "status", order.status)) {
            orders.push_back(std::move(order));
        }
    }
}

bool FetchOrders(const ApiClient& client, const std::string& clientId, int32_t softId,
                 OrdersList& orders) {
    orders.clear();
    char path[256];
    std::snprintf(path, sizeof path, kOrdersPath, clientId.c_str(), softId);
    std::string answer;
    if (!CallForText(client, path, answer)) {
        return false;
    }
    FillOrdersList(answer.data(), answer.size(), orders);
    return true;
}

int LoadOrders(void* job) {
    const WorkerJob& work = *static_cast<const WorkerJob*>(job);
    const AppContext& context = *work.context;
    // As for the catalogue: the orders page says when the server could not be reached.
    const bool answered = FetchOrders(ApiClient(context), context.clientId, context.softId,
                                      *static_cast<OrdersList*>(work.target));
    PostToMainWindow(answered ? MSG_ORDERS_LOADED : MSG_ORDERS_FAILED, answered ? 1 : 0, 0,
                     context);
    return 0;
}

OrdersList& ProcessOrders() {
    static OrdersList orders;
    return orders;
}
