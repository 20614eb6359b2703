#include <string>

#include "platform/headless/HeadlessInput.h"
#include "tests/ui/support/PagesFixture.h"
#include "ui/items/MyOrderTileLayout.h"
#include "uikit/controls/EditUI.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

MyOrderTileLayout* RowAt(CContainerUI* list, int index) {
    auto* element = static_cast<CContainerUI*>(list->GetItemAt(index)->GetInterface(u"Container"));
    return static_cast<MyOrderTileLayout*>(element->GetItemAt(0)->GetInterface(u"OrderList"));
}

class OrdersPageTest : public PagesTest {
  protected:
    void ShowOrdersPage() {
        static_cast<CTabLayoutUI*>(Find(u"gameItemsTab"))->SelectItem(5, false);
        manager->LayoutIfNeeded();
    }
};

TEST_F(OrdersPageTest, ThreeOrdersGiveThreeRowsOfHeight55AndHideTheNotice) {
    TestServer server;
    LoadOrders(server, "AAAAAAAAAAAAAAAA");
    ASSERT_EQ(orders.size(), 3u);
    ShowOrdersPage();
    EXPECT_FALSE(Find(u"NoContent2")->IsVisible()) << "still loading, not empty";
    EXPECT_TRUE(Find(u"ordersLoading")->IsVisible());
    pages->FillOrders();
    manager->LayoutIfNeeded();

    CContainerUI* list = Container(u"listOrder");
    ASSERT_EQ(list->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(list->GetItemAt(i)->GetInterface(u"ListContainerElement"), nullptr);
        EXPECT_EQ(list->GetItemAt(i)->GetPos().Height(), 55);
        MyOrderTileLayout* row = RowAt(list, i);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(&row->Order(), &orders[i]);
        EXPECT_EQ(Inside(row, u"OrderNumber")->GetText(), orders[i].orderId);
        EXPECT_EQ(Inside(row, u"OrderName")->GetText(), orders[i].orderName);
        EXPECT_EQ(Inside(row, u"OrderTime")->GetText(), orders[i].chargeTime2S);
        EXPECT_EQ(Inside(row, u"OrderStatus")->GetText(), u"已付款");
    }
    EXPECT_FALSE(Find(u"NoContent2")->IsVisible());
    EXPECT_FALSE(Find(u"ordersLoading")->IsVisible());
}

TEST_F(OrdersPageTest, AnEmptyOrderListKeepsTheNotice) {
    auto data = CopyOfDemoData();
    WriteWholeFile(*data / "orders" / "EMPTYEMPTYEMPTY1.json",
                   R"({"status":"SUCCESS","orderInfos":[]})");
    TestServer server({"--data", data->path().string()});
    LoadOrders(server, "EMPTYEMPTYEMPTY1");
    EXPECT_TRUE(orders.empty());
    pages->FillOrders();
    ShowOrdersPage();
    EXPECT_EQ(Container(u"listOrder")->GetCount(), 0);
    EXPECT_TRUE(Find(u"NoContent2")->IsVisible());
    EXPECT_EQ(Find(u"NoContent2")->GetText(), u"暂无内容");
}

TEST_F(OrdersPageTest, TheOrderNumberCopiesButDoesNotEditAndTheRowLightsUp) {
    orders = {OrderRecord{u"KV2025", u"订单", u"2025-01-01 10:00:00", 1}};
    pages->FillOrders();
    ShowOrdersPage();
    MyOrderTileLayout* row = RowAt(Container(u"listOrder"), 0);
    auto* number = static_cast<CEditUI*>(Inside(row, u"OrderNumber")->GetInterface(u"Edit"));
    ASSERT_NE(number, nullptr);
    EXPECT_TRUE(number->IsReadOnly());

    std::u16string clipboard;
    CEditUI::SetClipboardWriter([&clipboard](std::u16string_view text) { clipboard = text; });
    const Point inNumber = Centre(number);
    manager->OnMouseMove(inNumber);
    manager->OnLButtonDown(inNumber);
    manager->OnLButtonUp(inNumber);
    manager->OnLButtonDblClk(inNumber);
    manager->OnLButtonUp(inNumber);
    EXPECT_TRUE(number->Copy());
    EXPECT_EQ(clipboard, u"KV2025");
    manager->OnChar(u'x');
    manager->OnKeyDown(kKeyBack);
    EXPECT_EQ(number->GetText(), u"KV2025");
    CEditUI::SetClipboardWriter(nullptr);

    // Lit while the pointer is anywhere on the row, the number included.
    CControlUI* background = Inside(row, u"orderList");
    EXPECT_EQ(background->GetBkColor(), 0xFFE5F0F5u);
    EXPECT_EQ(number->GetBkColor(), 0xFFE5F0F5u);
    manager->OnMouseMove(Centre(Inside(row, u"OrderTime")));
    EXPECT_EQ(background->GetBkColor(), 0xFFE5F0F5u);
    EXPECT_EQ(platform::headless::CurrentCursor(), platform::Cursor::Hand);
    manager->OnMouseMove(Point{5, 5});
    EXPECT_EQ(background->GetBkColor(), 0xFFF8FDFFu);
    EXPECT_EQ(number->GetBkColor(), 0xFFF8FDFFu);
    EXPECT_EQ(platform::headless::CurrentCursor(), platform::Cursor::Arrow);
}

}  // namespace
