#include <gtest/gtest.h>

#include <atomic>

#include "catalog/OrdersLoader.h"
#include "context/Messages.h"
#include "context/WorkerJob.h"
#include "tests/support/TestServer.h"

namespace {

OrdersList Fill(const std::string& answer) {
    OrdersList orders;
    FillOrdersList(answer.data(), answer.size(), orders);
    return orders;
}

TEST(FillOrdersList, KeepsServerOrderAndSkipsWhatItCannotRead) {
    const OrdersList orders = Fill(
        R"({"status":"SUCCESS","orderInfos":[)"
        R"({"orderId":"A1","orderName":"红色警戒2：共和国之辉","chargeTime2S":"2024-01-02 10:00:00","status":1},)"
        R"({"orderId":"A2","orderName":"n","chargeTime2S":"t"},)"
        R"({"orderId":3,"orderName":"n","chargeTime2S":"t"},)"
        R"({"orderId":"A4","orderName":"n","chargeTime2S":"t","status":"paid"},)"
        R"({"orderId":"A5","orderName":"n","chargeTime2S":"t","status":2}]})");
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0].orderName, u"红色警戒2：共和国之辉");
    EXPECT_EQ(orders[0].status, 1);
    EXPECT_EQ(orders[1].orderId, u"A2");
    EXPECT_EQ(orders[1].status, 0);  // absent status loads like any other order
    EXPECT_EQ(orders[2].orderId, u"A5");
}

TEST(FillOrdersList, UnreadableAnswersGiveNoOrders) {
    for (const std::string answer :
         {"", "[]", R"({"orderInfos":7})", R"({"status":"SUCCESS"})", R"({"orderInfos":[]})"}) {
        EXPECT_TRUE(Fill(answer).empty()) << answer;
    }
}

TEST(LoadOrders, TheDemoOrdersArriveAndTheWindowIsTold) {
    ASSERT_TRUE(InitHttpLibrary());
    TestServer server;
    AppContext& process = ProcessContext();
    process.baseUrl = server.baseUrl();
    process.clientId = "AAAAAAAAAAAAAAAA";
    std::atomic<int> posts{0};
    std::atomic<int> failures{0};
    platform::RegisterMessageSink(6161, [&](const platform::PostedMessage& m) {
        posts += m.message == MSG_ORDERS_LOADED && m.wParam == 1;
        failures += m.message == MSG_ORDERS_FAILED;
    });
    process.mainWindow = 6161;
    OrdersList orders = {OrderRecord{u"stale", u"", u"", 0}};
    WorkerJob job{&process, &orders};
    process.baseUrl = "https://127.0.0.1:1/";
    EXPECT_EQ(LoadOrders(&job), 0);
    EXPECT_EQ(posts.load(), 0);
    EXPECT_EQ(failures.load(), 1) << "nothing behind the port: the window hears of it";

    process.baseUrl = server.baseUrl();
    EXPECT_EQ(LoadOrders(&job), 0);
    EXPECT_EQ(posts.load(), 1);
    EXPECT_EQ(failures.load(), 1);
    EXPECT_EQ(orders.size(), 3u);
    EXPECT_NE(orders[0].orderId, u"stale");
    {
        // A failure with orders behind it: the stale list is gone and nothing takes its place.
        TestServer failing({"--fault", "failed-with-data"});
        process.baseUrl = failing.baseUrl();
        EXPECT_EQ(LoadOrders(&job), 0);
        EXPECT_EQ(posts.load(), 1);
        EXPECT_EQ(failures.load(), 2);
        EXPECT_TRUE(orders.empty());
    }
    process.mainWindow = 0;
    platform::UnregisterMessageSink(6161);
}

}  // namespace
