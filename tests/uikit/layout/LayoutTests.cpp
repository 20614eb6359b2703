// The layout rules, checked by numbers on markup built through the builder.
#include <gtest/gtest.h>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/ScrollBarUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

TEST(VerticalLayout, FixedChildrenFirstThenSharesWithTheLastStretcherTakingTheRest) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout inset=\"10,10,10,10\" childpadding=\"5\">"
        u"<Control name=\"c1\" height=\"50\"/>"
        u"<Control name=\"c2\"/>"
        u"<Control name=\"c3\" height=\"40\" padding=\"0,5,0,5\" width=\"100\"/>"
        u"<Control name=\"c4\"/>"
        u"</VerticalLayout></Window>",
        Size{400, 300});
    EXPECT_EQ(w.Find(u"c1")->GetPos(), R(10, 10, 390, 60));
    EXPECT_EQ(w.Find(u"c2")->GetPos(), R(10, 65, 390, 147));  // (280 - 115) / 2 = 82
    EXPECT_EQ(w.Find(u"c3")->GetPos(), R(10, 157, 110, 197));
    EXPECT_EQ(w.Find(u"c4")->GetPos(), R(10, 207, 390, 290));  // 83: what is left
}

TEST(VerticalLayout, TheLastStretcherLeavesRoomForTheFixedChildrenAfterIt) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout><Control name=\"a\"/><Control name=\"b\"/>"
        u"<Control name=\"c\" height=\"50\"/></VerticalLayout></Window>",
        Size{10, 101});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, 0, 10, 25));
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(0, 25, 10, 51));
    EXPECT_EQ(w.Find(u"c")->GetPos(), R(0, 51, 10, 101));
}

TEST(VerticalLayout, MinimaMaximaAndChildAlignment) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout childalign=\"center\">"
        u"<Control name=\"a\" height=\"10\" width=\"100\"/>"
        u"<Control name=\"b\" maxheight=\"30\" maxwidth=\"50\"/>"
        u"<Control name=\"c\" minheight=\"500\"/>"
        u"</VerticalLayout></Window>",
        Size{400, 300});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(150, 0, 250, 10));
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(175, 10, 225, 40));
    EXPECT_EQ(w.Find(u"c")->GetPos().Height(), 500);
}

TEST(HorizontalLayout, OnlyFixedWidthsAreKeptEveryOtherChildStretches) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout childvalign=\"vcenter\">"
        u"<Control name=\"a\" width=\"100\"/>"
        u"<Control name=\"b\"/>"
        u"<Control name=\"c\" width=\"50\" height=\"20\" padding=\"10,0,0,0\"/>"
        u"</HorizontalLayout></Window>",
        Size{400, 300});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, 0, 100, 300));
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(100, 0, 340, 300));
    EXPECT_EQ(w.Find(u"c")->GetPos(), R(350, 140, 400, 160));
}

TEST(HorizontalLayout, TwoStretchersShareAndTheLastGetsTheRoundingRest) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout childpadding=\"1\">"
        u"<Control name=\"a\"/><Control name=\"b\"/></HorizontalLayout></Window>",
        Size{100, 10});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, 0, 49, 10));
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(50, 0, 100, 10));
}

TEST(TileLayout, CellsFollowTheChildListSoHiddenChildrenKeepTheirCells) {
    TestWindow w;
    w.Build(
        u"<Window><TileLayout itemsize=\"50,40\" columns=\"4\" childpadding=\"10\" "
        u"childvpadding=\"5\" inset=\"2,3,0,0\">"
        u"<Control name=\"t0\"/><Control name=\"t1\" visible=\"false\"/><Control name=\"t2\"/>"
        u"<Control name=\"t3\"/><Control name=\"t4\"/><Control name=\"t5\"/>"
        u"</TileLayout></Window>",
        Size{400, 300});
    EXPECT_EQ(w.Find(u"t0")->GetPos(), R(2, 3, 52, 43));
    EXPECT_EQ(w.Find(u"t2")->GetPos(), R(122, 3, 172, 43));
    EXPECT_EQ(w.Find(u"t4")->GetPos(), R(2, 48, 52, 88));
    EXPECT_EQ(w.Find(u"t5")->GetPos(), R(62, 48, 112, 88));
}

TEST(TileLayout, AutomaticColumnsSpreadTheSpareWidth) {
    TestWindow w;
    w.Build(
        u"<Window><TileLayout itemsize=\"90,50\">"
        u"<Control name=\"a\"/><Control name=\"b\" maxwidth=\"30\"/></TileLayout></Window>",
        Size{400, 300});
    // 4 columns of 90 and a gap of (400 - 360) / 3 = 13.
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(103, 0, 133, 50));
}

TEST(FloatingChildren, PosSetsPlaceWhileNegativeDerivedSizesAreIgnored) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout name=\"v\" inset=\"7,7,7,7\">"
        u"<Control name=\"body\"/>"
        u"<Control name=\"kefu\" float=\"true\" pos=\"915,615,0,0\" width=\"95\" "
        u"height=\"95\"/>"
        u"<Control name=\"sized\" float=\"true\" pos=\"10,20,40,60\"/>"
        u"</VerticalLayout></Window>",
        Size{1024, 720});
    CControlUI* kefu = w.Find(u"kefu");
    EXPECT_EQ(kefu->GetFixedWidth(), 95);
    EXPECT_EQ(kefu->GetPos(), R(915, 615, 1010, 710));
    EXPECT_EQ(w.Find(u"sized")->GetPos(), R(10, 20, 40, 60));
    // Floating children stay out of the flow: the body takes the whole inner rectangle.
    EXPECT_EQ(w.Find(u"body")->GetPos(), R(7, 7, 1017, 713));
    w.Find<CContainerUI>(u"v")->SetInset(R(30, 30, 30, 30));
    w.Manager().LayoutIfNeeded();
    EXPECT_EQ(kefu->GetPos(), R(915, 615, 1010, 710));
    EXPECT_EQ(w.Find(u"body")->GetPos(), R(30, 30, 994, 690));
}

TEST(HostileMarkup, HugeSizesAndDeepNestingLayOutAndPaintWithoutFaults) {
    TestWindow w;
    std::u16string markup = u"<Window><VerticalLayout>";
    for (int i = 0; i < 500; ++i) {
        markup += u"<HorizontalLayout inset=\"1,1,1,1\">";
    }
    for (int i = 0; i < 500; ++i) {
        markup += u"</HorizontalLayout>";
    }
    markup +=
        u"<HorizontalLayout childpadding=\"2147483647\">"
        u"<Control width=\"2147483647\" height=\"2147483647\"/>"
        u"<Control pos=\"-2147483647,-5,2147483647,99999999999\" float=\"true\"/>"
        u"<Control minwidth=\"2147483647\" padding=\"2147483647,0,2147483647,0\"/>"
        u"</HorizontalLayout><TileLayout itemsize=\"2147483647,2147483647\" "
        u"childvpadding=\"2147483647\" vscrollbar=\"true\"><Control/><Control/><Control/>"
        u"</TileLayout></VerticalLayout></Window>";
    markup.insert(markup.find(u"</VerticalLayout></Window>"),
                  u"<Label showhtml=\"true\" autocalcwidth=\"true\" text=\"&lt;x 2147483647&gt;a"
                  u"&lt;x 2147483647&gt;b&lt;p 2147483647&gt;c&lt;y 2147483647&gt;d"
                  u"{f Sans 2147483647}e{i img/none.png}\"/>");
    ASSERT_NE(w.Build(markup, Size{300, 200}), nullptr);
    Canvas canvas(300, 200);
    w.Manager().Paint(canvas);
    w.Manager().OnMouseWheel(Point{10, 190}, -120);
    w.Manager().OnMouseMove(Point{150, 100});
}

TEST(FloatingChildren, PercentagesAddShareOfTheParentToEachEdge) {
    TestWindow w;
    w.Build(
        u"<Window><Container><Control name=\"f\" float=\"0.5,0,0.5,0.5\" "
        u"pos=\"0,0,10,10\"/></Container></Window>",
        Size{200, 100});
    EXPECT_EQ(w.Find(u"f")->GetPos(), R(100, 0, 110, 60));
}

TEST(PlainContainer, EveryChildGetsTheInnerRectangleWithinItsLimits) {
    TestWindow w;
    w.Build(
        u"<Window><Container inset=\"5,5,5,5\"><Control name=\"a\"/>"
        u"<Control name=\"b\" maxwidth=\"20\" minheight=\"400\"/></Container></Window>",
        Size{100, 100});
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(5, 5, 95, 95));
    EXPECT_EQ(w.Find(u"b")->GetPos(), R(5, 5, 25, 405));
}

TEST(TabLayout, SelectsOnChangeOnlyAndLaysOutTheSelectedPage) {
    TestWindow w;
    w.Build(
        u"<Window><TabLayout name=\"tab\" selectedid=\"1\" inset=\"1,1,1,1\">"
        u"<Control name=\"p0\"/><Control name=\"p1\" padding=\"2,2,2,2\"/>"
        u"<Control name=\"p2\" width=\"20\"/></TabLayout></Window>",
        Size{100, 100});
    auto* tab = w.Find<CTabLayoutUI>(u"tab");
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_FALSE(w.Find(u"p0")->IsVisible());
    EXPECT_EQ(w.Find(u"p1")->GetPos(), R(3, 3, 97, 97));
    EXPECT_TRUE(tab->SelectItem(1));
    EXPECT_TRUE(w.log.Of(u"tabselect").empty());
    EXPECT_FALSE(tab->SelectItem(3));
    EXPECT_TRUE(tab->SelectItem(2));
    ASSERT_EQ(w.log.Of(u"tabselect").size(), 1u);
    EXPECT_EQ(w.log.records.back().wParam, 2u);
    EXPECT_EQ(w.log.records.back().lParam, 1);
    EXPECT_FALSE(w.Find(u"p1")->IsVisible());
    w.Manager().LayoutIfNeeded();
    EXPECT_EQ(w.Find(u"p2")->GetPos(), R(1, 1, 21, 99));
    EXPECT_TRUE(tab->SelectItem(0, false));
    EXPECT_EQ(w.log.Of(u"tabselect").size(), 1u);
}

TEST(ScrollBars, ShownForExcessStyledByTheWindowDefaultsAndScrolledByTheWheel) {
    TestWindow w;
    w.Build(
        u"<Window><Default name=\"VScrollBar\" value=\"width=&quot;8&quot; "
        u"showbutton1=&quot;false&quot;  showbutton2=&quot;false&quot;\"/>"
        u"<VerticalLayout name=\"v\" vscrollbar=\"true\">"
        u"<Control name=\"a\" height=\"50\"/><Control name=\"b\" height=\"50\"/>"
        u"<Control name=\"c\" height=\"50\"/></VerticalLayout></Window>",
        Size{100, 100});
    auto* v = w.Find<CContainerUI>(u"v");
    CScrollBarUI* bar = v->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollRange(), 50);
    EXPECT_EQ(bar->GetPos(), R(92, 0, 100, 100));
    EXPECT_FALSE(bar->IsButton1Shown());
    EXPECT_TRUE(bar->IsButton2Shown());  // the double space ended the list before it
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, 0, 92, 50));

    w.Manager().OnMouseWheel(Point{10, 60}, -120);
    w.Manager().OnMouseWheel(Point{10, 60}, -120);
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, -16, 92, 34));
    EXPECT_TRUE(w.log.Of(u"scroll").empty());
    w.Manager().DeliverAsyncNotifications();
    ASSERT_EQ(w.log.Of(u"scroll").size(), 1u);  // two turns, one queued record
    EXPECT_EQ(w.log.records.back().wParam, 16u);

    w.Manager().OnMouseWheel(Point{10, 60}, 120);
    EXPECT_EQ(v->GetScrollPos().cy, 8);
    w.Find(u"c")->SetVisible(false);
    w.Manager().LayoutIfNeeded();
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(w.Find(u"a")->GetPos(), R(0, 0, 100, 50));
}

TEST(ScrollBars, APrivateDefaultListWinsOverTheSharedOneOfEveryWindow) {
    TestWindow sharing;
    sharing.Build(
        u"<Window><Default shared=\"true\" name=\"VScrollBar\" "
        u"value=\"width=&quot;20&quot;\"/><Control/></Window>");
    const std::u16string_view body =
        u"<VerticalLayout name=\"v\" vscrollbar=\"true\"><Control height=\"500\"/>"
        u"</VerticalLayout></Window>";
    TestWindow plain;
    plain.Build(u"<Window>" + std::u16string(body), Size{100, 100});
    EXPECT_EQ(plain.Find<CContainerUI>(u"v")->GetVerticalScrollBar()->GetPos().Width(), 20);
    TestWindow own;
    own.Build(u"<Window><Default name=\"VScrollBar\" value=\"width=&quot;12&quot;\"/>" +
                  std::u16string(body),
              Size{100, 100});
    EXPECT_EQ(own.Find<CContainerUI>(u"v")->GetVerticalScrollBar()->GetPos().Width(), 12);
}

TEST(ScrollBars, TheWheelStepIsTheMarkupsStepElseARowOfTiles) {
    TestWindow w;
    std::u16string cells;
    for (int i = 0; i < 12; ++i) {
        cells += u"<Control/>";
    }
    w.Build(
        u"<Window><HorizontalLayout>"
        u"<TileLayout name=\"tiles\" itemsize=\"40,50\" columns=\"2\" childvpadding=\"7\" "
        u"vscrollbar=\"true\">" +
            cells +
            u"</TileLayout>"
            u"<TileLayout name=\"stepped\" itemsize=\"40,50\" columns=\"2\" "
            u"scrollstepsize=\"20\" vscrollbar=\"true\">" +
            cells +
            u"</TileLayout>"
            u"<VerticalLayout name=\"list\" scrollstepsize=\"100\" vscrollbar=\"true\">"
            u"<Control height=\"300\"/><Control height=\"300\"/></VerticalLayout>"
            u"</HorizontalLayout></Window>",
        Size{400, 100});
    const auto notch = [&](std::u16string_view name) {
        auto* box = w.Find<CContainerUI>(name);
        const Rect& rc = box->GetPos();
        w.Manager().OnMouseWheel(Point{rc.left + 2, rc.top + 2}, -120);
        return box->GetScrollPos().cy;
    };
    EXPECT_EQ(notch(u"tiles"), 57) << "one row of tiles and its gap";
    EXPECT_EQ(notch(u"tiles"), 114);
    EXPECT_EQ(notch(u"stepped"), 20);
    EXPECT_EQ(notch(u"list"), 100);
}

}  // namespace
