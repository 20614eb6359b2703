// Timed behaviour driven by fired ticks, plug-in controls, scroll bar dragging and moving trees.
#include <gtest/gtest.h>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/builder/ControlFactoryUI.h"
#include "uikit/controls/ButtonUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

TEST(ButtonFade, TheHotImageFadesInStepByStepAndOutAgain) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout><Button name=\"b\" fadedelta=\"100\" "
        u"normalimage=\"color='#FF0000FF'\" hotimage=\"color='#FFFF0000'\"/>"
        u"</HorizontalLayout></Window>",
        Size{20, 20});
    auto* b = w.Find<CButtonUI>(u"b");
    CWindowManagerUI& m = w.Manager();
    Canvas canvas(20, 20);
    m.OnMouseMove(Point{5, 5});
    const auto* timer = m.Timers().Find(b, CButtonUI::kFadeTimerId);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->periodMs, CButtonUI::kFadePeriodMs);
    const int native = timer->nativeId;
    m.Paint(canvas);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFF0000FFu);  // not faded in yet
    m.FireTimer(native);
    EXPECT_EQ(b->GetFadeAlpha(), 100);
    m.Paint(canvas);
    const uint32_t mixed = canvas.Pixel(5, 5);
    EXPECT_NE(mixed, 0xFF0000FFu);
    EXPECT_NE(mixed, 0xFFFF0000u);
    m.FireTimer(native);
    m.FireTimer(native);
    EXPECT_EQ(b->GetFadeAlpha(), 255);
    EXPECT_TRUE(m.Timers().Find(b, CButtonUI::kFadeTimerId)->killed);
    m.Paint(canvas);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFF0000u);

    m.OnMouseMove(Point{50, 50});
    EXPECT_FALSE(m.Timers().Find(b, CButtonUI::kFadeTimerId)->killed);
    m.FireTimer(native);
    EXPECT_EQ(b->GetFadeAlpha(), 155);
    EXPECT_TRUE(w.log.Of(u"timer").empty());
}

CControlUI* MakeCard(std::u16string_view tag) {
    return tag == u"Card" ? new CContainerUI() : nullptr;
}

class CountingCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateControl(std::u16string_view) override {
        ++asked;
        return nullptr;
    }
    int asked = 0;
};

TEST(PlugInControls, AreAskedAfterTheLibraryAndBeforeTheCallback) {
    RegisterControlFactory(&MakeCard);
    TestWindow w;
    CountingCallback callback;
    w.Build(u"<Window><Card name=\"card\"><Control name=\"inside\"/></Card></Window>", Size{10, 10},
            &callback);
    UnregisterControlFactory(&MakeCard);
    EXPECT_NE(w.Find(u"card"), nullptr);
    EXPECT_NE(w.Find(u"inside"), nullptr);
    EXPECT_EQ(callback.asked, 0);
    TestWindow later;
    later.Build(u"<Window><Card name=\"card\"/></Window>", Size{10, 10}, &callback);
    EXPECT_EQ(later.Find(u"card"), nullptr);
    EXPECT_EQ(callback.asked, 1);
}

struct Dragging : ::testing::Test {
    TestWindow w;
    CContainerUI* v = nullptr;
    CScrollBarUI* bar = nullptr;
    void SetUp() override {
        w.Build(
            u"<Window><VerticalLayout name=\"v\" vscrollbar=\"true\" "
            u"vscrollbarstyle=\"width=&quot;10&quot; showbutton1=&quot;false&quot; "
            u"showbutton2=&quot;false&quot;\"><Control height=\"400\"/></VerticalLayout>"
            u"</Window>",
            Size{100, 100});
        v = w.Find<CContainerUI>(u"v");
        bar = v->GetVerticalScrollBar();
        ASSERT_TRUE(bar->IsVisible());
    }
};

TEST_F(Dragging, TheThumbShowsTheVisibleShareAndDragsTheContent) {
    EXPECT_EQ(bar->GetScrollRange(), 300);
    EXPECT_EQ(bar->GetThumbRect(), R(90, 0, 100, 25));  // 100 of 400 shown
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{95, 10});
    m.OnLButtonDown(Point{95, 10});
    m.OnMouseMove(Point{95, 35});  // 25 of the 75 free pixels: a third of the range
    m.OnLButtonUp(Point{95, 35});
    EXPECT_EQ(v->GetScrollPos().cy, 100);
    EXPECT_EQ(v->GetItemAt(0)->GetPos().top, -100);
    EXPECT_EQ(bar->GetThumbRect(), R(90, 25, 100, 50));
}

TEST_F(Dragging, AClickOnTheTrackPagesAndKeysScrollTheFocusedContainer) {
    CWindowManagerUI& m = w.Manager();
    w.Click(Point{95, 90});
    EXPECT_EQ(v->GetScrollPos().cy, 100);
    v->SetFocus();
    m.OnKeyDown(kKeyDown);
    EXPECT_EQ(v->GetScrollPos().cy, 108);
    m.OnKeyDown(kKeyPageDown);
    m.OnKeyDown(kKeyPageDown);
    m.OnKeyDown(kKeyPageDown);
    EXPECT_EQ(v->GetScrollPos().cy, 300);  // clamped to the range
    m.OnKeyDown(kKeyUp);
    EXPECT_EQ(v->GetScrollPos().cy, 292);
}

TEST(ScrollingLayouts, TileRowsBeyondTheHeightScrollAsOneCellGrid) {
    TestWindow w;
    w.Build(
        u"<Window><Default name=\"VScrollBar\" value=\"width=&quot;8&quot;\"/>"
        u"<TileLayout name=\"t\" itemsize=\"50,40\" columns=\"4\" childvpadding=\"10\" "
        u"vscrollbar=\"true\"><Control/><Control/><Control/><Control/><Control/>"
        u"<Control/><Control/><Control/><Control name=\"last\"/></TileLayout></Window>",
        Size{300, 100});
    auto* t = w.Find<CContainerUI>(u"t");
    EXPECT_EQ(t->GetScrollRange().cy, 40);  // 3 rows: 3 * 40 + 2 * 10 - 100
    EXPECT_EQ(w.Find(u"last")->GetPos(), R(0, 100, 50, 140));
    // A notch is a row and its gap (50), held at the end of the 40-pixel range.
    w.Manager().OnMouseWheel(Point{10, 10}, -120);
    EXPECT_EQ(w.Find(u"last")->GetPos(), R(0, 60, 50, 100));
}

TEST(ScrollingLayouts, AHorizontalBarTakesTheHScrollBarDefaults) {
    TestWindow w;
    w.Build(
        u"<Window><Default name=\"HScrollBar\" value=\"height=&quot;6&quot;\"/>"
        u"<HorizontalLayout name=\"h\" hscrollbar=\"true\"><Control width=\"150\"/>"
        u"<Control name=\"b\" width=\"150\"/></HorizontalLayout></Window>",
        Size{200, 50});
    auto* h = w.Find<CContainerUI>(u"h");
    CScrollBarUI* bar = h->GetHorizontalScrollBar();
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_TRUE(bar->IsHorizontal());
    EXPECT_EQ(bar->GetPos(), R(0, 44, 200, 50));
    EXPECT_EQ(h->GetScrollRange().cx, 100);
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(150, 0, 300, 44));
    h->SetScrollPos(Size{60, 0});
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(90, 0, 240, 44));
}

TEST(ToolTips, AHoverOffersTheRestingControlsTipUntilThePointerMoves) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout><Button name=\"b\" tooltip=\"最小化<n>窗口\"/>"
        u"<Control/></HorizontalLayout></Window>",
        Size{200, 20});
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{10, 10});
    EXPECT_TRUE(m.GetToolTip().text.empty());
    m.OnMouseHover(Point{10, 10});
    EXPECT_EQ(m.GetToolTip().text, u"最小化\r\n窗口");
    EXPECT_EQ(m.GetToolTip().width, 300);
    EXPECT_EQ(m.GetToolTip().rc, w.Find(u"b")->GetPos());
    m.OnMouseMove(Point{150, 10});
    EXPECT_TRUE(m.GetToolTip().text.empty());
    m.OnMouseHover(Point{150, 10});
    EXPECT_TRUE(m.GetToolTip().text.empty());
}

TEST(Moving, AContainerTakesItsChildrenAlongButKeepsFloatingPositions) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout name=\"v\"><Control name=\"a\" height=\"10\"/>"
        u"<Control name=\"f\" float=\"true\" pos=\"5,5,15,15\"/></VerticalLayout></Window>",
        Size{100, 100});
    w.Find(u"v")->Move(Size{10, 20});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(10, 20, 110, 30));
    EXPECT_EQ(w.Find(u"f")->GetPos(), R(15, 25, 25, 35));
    EXPECT_EQ(w.Find(u"f")->GetFixedXY().x, 5);
}

TEST(TabPages, RemovingTheCurrentPageShowsAnotherOne) {
    TestWindow w;
    w.Build(
        u"<Window><TabLayout name=\"tab\" selectedid=\"1\"><Control name=\"p0\"/>"
        u"<Control name=\"p1\"/><Control name=\"p2\"/></TabLayout></Window>");
    auto* tab = w.Find<CTabLayoutUI>(u"tab");
    CControlUI* p2 = w.Find(u"p2");
    tab->Remove(w.Find(u"p1"));
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_TRUE(p2->IsVisible());
    tab->RemoveAt(0);
    EXPECT_EQ(tab->GetCurSel(), 0);
    EXPECT_TRUE(p2->IsVisible());
    tab->RemoveAll();
    EXPECT_EQ(tab->GetCurSel(), -1);
    EXPECT_FALSE(tab->SelectItem(0));
}

TEST(ListRows, ReturnOnAFocusedRowActivatesIt) {
    TestWindow w;
    w.Build(
        u"<Window><List name=\"list\"><ListContainerElement name=\"row\" height=\"20\"/>"
        u"</List></Window>");
    w.Find(u"row")->SetFocus();
    w.Manager().OnKeyDown(kKeyReturn);
    EXPECT_EQ(w.log.Of(u"itemactivate"), std::vector<std::u16string>{u"itemactivate:row"});
}

}  // namespace
