#pragma once

#include <cstddef>

#include "api/ApiClient.h"
#include "catalog/OrdersList.h"

// Start-up worker: fetches the player's orders into the OrdersList its WorkerJob's target points
// to and then tells the main window with MSG_ORDERS_LOADED, or with MSG_ORDERS_FAILED when the
// server call failed.
int LoadOrders(void* job);

// The fetch and fill without the post; false when the server call failed.
bool FetchOrders(const ApiClient& client, const std::string& clientId, int32_t softId,
                 OrdersList& orders);

// Appends the orders of an answer; an order with a missing or mistyped member is left out.
void FillOrdersList(const char* answer, size_t length, OrdersList& orders);
