// Lists with container rows, animated images and the read-only edit box.
#include <gtest/gtest.h>

#include <iterator>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/EditUI.h"
#include "uikit/controls/GifAnimUI.h"
#include "uikit/controls/ListContainerElementUI.h"
#include "uikit/controls/ListUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/layout/TabLayoutUI.h"

using namespace uikit;

namespace {

constexpr std::u16string_view kList =
    u"<Window><VerticalLayout><List name=\"list\" header=\"hidden\" vscrollbar=\"true\" "
    u"itemhotbkcolor=\"#FFE4EDFC\" itemselectedbkcolor=\"#FFEEEEEE\" itemhlinesize=\"1\" "
    u"itemhlinecolor=\"#FF000000\" itemshowrowline=\"true\" autoDestroy=\"false\">"
    u"<ListContainerElement name=\"e0\" height=\"70\"><HorizontalLayout>"
    u"<Label name=\"l0\" width=\"50\"/><Button name=\"b0\" width=\"50\"/></HorizontalLayout>"
    u"</ListContainerElement>"
    u"<ListContainerElement name=\"e1\" height=\"70\"><Label name=\"l1\"/></ListContainerElement>"
    u"<ListContainerElement name=\"e2\" height=\"70\"/>"
    u"</List></VerticalLayout></Window>";

struct Lists : ::testing::Test {
    TestWindow w;
    CListUI* list = nullptr;
    void SetUp() override {
        ASSERT_NE(w.Build(kList, Size{200, 150}), nullptr);
        list = w.Find<CListUI>(u"list");
        w.log = NotifyLog{};
    }
    CListContainerElementUI* E(int i) {
        return static_cast<CListContainerElementUI*>(list->GetItemAt(i));
    }
};

TEST_F(Lists, RowsStayHotWhileThePointerIsOverThemOrTheirChildren) {
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{10, 10});  // over the label of row 0
    EXPECT_EQ(m.GetHover(), w.Find(u"l0"));
    EXPECT_TRUE(E(0)->IsHot());
    m.OnMouseMove(Point{75, 10});  // its button: still inside the row
    EXPECT_TRUE(E(0)->IsHot());
    m.OnMouseMove(Point{10, 80});  // row 1
    EXPECT_FALSE(E(0)->IsHot());
    EXPECT_TRUE(E(1)->IsHot());
    EXPECT_TRUE(w.log.lines.empty());
}

TEST_F(Lists, AButtonDownClicksThenSelectsOnlyOnChange) {
    w.Click(Point{10, 80});
    EXPECT_EQ(w.log.lines,
              (std::vector<std::u16string>{u"setfocus:l1", u"itemclick:e1", u"itemselect:list"}));
    EXPECT_EQ(w.log.records.back().wParam, 1u);
    EXPECT_EQ(w.log.records.back().lParam, -1);
    EXPECT_TRUE(E(1)->IsSelected());

    w.log = NotifyLog{};
    w.Click(Point{10, 85});
    w.Manager().OnRButtonDown(Point{10, 10});
    EXPECT_EQ(w.log.Of(u"itemclick").size(), 2u);
    ASSERT_EQ(w.log.Of(u"itemselect").size(), 1u);  // row 1 again said nothing
    EXPECT_EQ(w.log.records.back().wParam, 0u);
    EXPECT_EQ(w.log.records.back().lParam, 1);
    EXPECT_FALSE(E(1)->IsSelected());
    EXPECT_EQ(list->GetCurSel(), 0);

    w.Manager().OnLButtonDblClk(Point{10, 80});
    EXPECT_EQ(w.log.Of(u"itemactivate"), std::vector<std::u16string>{u"itemactivate:e1"});
    w.Click(w.Find(u"b0"));  // a button in a row keeps its clicks
    EXPECT_EQ(w.log.Of(u"click"), std::vector<std::u16string>{u"click:b0"});
}

TEST_F(Lists, RowColoursComeFromTheListAndTheWheelScrollsIt) {
    EXPECT_FALSE(list->IsHeaderVisible());
    EXPECT_EQ(list->GetCustomAttribute(u"autoDestroy"), u"false");
    EXPECT_TRUE(list->IsAutoDestroy());
    list->SelectItem(1);
    w.Manager().OnMouseMove(Point{10, 10});
    Canvas canvas(200, 150);
    w.Manager().Paint(canvas);
    EXPECT_EQ(canvas.Pixel(150, 30), 0xFFE4EDFCu);
    EXPECT_EQ(canvas.Pixel(150, 100), 0xFFEEEEEEu);
    EXPECT_EQ(canvas.Pixel(150, 69), 0xFF000000u);  // the row line

    const int before = E(0)->GetPos().top;
    w.Manager().OnMouseWheel(Point{10, 10}, -120);
    EXPECT_EQ(E(0)->GetPos().top, before - 8);
}

// The orders list asks for its row lines with a switch and a colour, not with a line size. Its
// rows are filled by a child with a background of its own, which the line must not hide under.
uint32_t RowLinePixel(std::u16string_view attributes, int y) {
    TestWindow w;
    const std::u16string markup =
        u"<Window><VerticalLayout><List name=\"list\" header=\"hidden\" " +
        std::u16string(attributes) +
        u"><ListContainerElement height=\"40\"><HorizontalLayout bkcolor=\"#FFF8FDFF\"/>"
        u"</ListContainerElement><ListContainerElement height=\"40\"/>"
        u"</List></VerticalLayout></Window>";
    EXPECT_NE(w.Build(markup, Size{100, 100}), nullptr);
    Canvas canvas(100, 100);
    canvas.Clear(0xFFFFFFFFu);
    w.Manager().Paint(canvas);
    return canvas.Pixel(50, y);
}

TEST(ListRowLines, TheSwitchAndTheColourDrawAOnePixelLineBelowEachRow) {
    constexpr std::u16string_view kSkin = u"itemshowrowline=\"true\" itemlinecolor=\"#FFE8E8E8\"";
    EXPECT_EQ(RowLinePixel(kSkin, 39), 0xFFE8E8E8u);
    EXPECT_EQ(RowLinePixel(kSkin, 79), 0xFFE8E8E8u);
    EXPECT_EQ(RowLinePixel(kSkin, 38), 0xFFF8FDFFu) << "one pixel only";
    EXPECT_EQ(RowLinePixel(kSkin, 40), 0xFFFFFFFFu) << "the next row starts clean";
    // Switched off (as the menu is), the colour alone draws nothing.
    EXPECT_EQ(RowLinePixel(u"itemshowrowline=\"false\" itemlinecolor=\"#FFE8E8E8\"", 39),
              0xFFF8FDFFu);
    // An explicit line size and colour win over the switch.
    EXPECT_EQ(RowLinePixel(u"itemshowrowline=\"true\" itemlinecolor=\"#FFE8E8E8\" "
                           u"itemhlinesize=\"2\" itemhlinecolor=\"#FF000000\"",
                           38),
              0xFF000000u);
}

TEST(ListRowLines, UnknownListAttributesAreStillKeptAsCustomOnes) {
    TestWindow w;
    ASSERT_NE(w.Build(u"<Window><VerticalLayout><List name=\"list\" itemshowrowline=\"true\" "
                      u"sortkey=\"100\"/></VerticalLayout></Window>"),
              nullptr);
    auto* list = w.Find<CListUI>(u"list");
    EXPECT_EQ(list->GetCustomAttribute(u"sortkey"), u"100");
    EXPECT_EQ(list->GetCustomAttribute(u"itemshowrowline"), u"");
    EXPECT_TRUE(list->GetListInfo().showRowLine);
}

TEST_F(Lists, RemovingRowsKeepsIndexesAndSelectionRight) {
    list->SelectItem(2, false, false);
    list->RemoveAt(0);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(E(1)->GetIndex(), 1);
    list->RemoveAt(1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_TRUE(w.log.Of(u"itemselect").empty());
    auto* row = new CListContainerElementUI();
    list->AddAt(row, 0);
    EXPECT_EQ(row->GetOwner(), list);
    EXPECT_EQ(E(1)->GetIndex(), 1);
}

// Two 1x1 frames, red for 100 ms then blue for 250 ms.
constexpr uint8_t kTwoFrameGif[] = {
    'G',  'I',  'F', '8', '9', 'a',  1, 0, 1, 0, 0x80, 0, 0,  // screen, two-colour table
    0xFF, 0,    0,   0,   0,   0xFF,                          // red, blue
    0x21, 0xF9, 4,   0,   10,  0,    0, 0,                    // 10/100 s
    0x2C, 0,    0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x44, 0x01, 0,  // pixel 0
    0x21, 0xF9, 4,   0,   25,  0,    0, 0,                                // 25/100 s
    0x2C, 0,    0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x4C, 0x01, 0,  // pixel 1
    0x3B};

Members GifArchive() {
    return {{"img/gif/loading.gif", std::string(std::begin(kTwoFrameGif), std::end(kTwoFrameGif))}};
}

TEST(GifAnim, EachTickShowsTheNextFrameAndReArmsWithItsDelay) {
    TestWindow w(GifArchive());
    w.Build(
        u"<Window><VerticalLayout><GifAnim name=\"g\" bkimage=\"img/gif/loading.gif\" "
        u"autosize=\"true\"/></VerticalLayout></Window>");
    auto* gif = w.Find<CGifAnimUI>(u"g");
    CWindowManagerUI& m = w.Manager();
    ASSERT_EQ(gif->GetFrameCount(), 2);
    EXPECT_EQ(gif->GetFixedWidth(), 1);
    const auto* timer = m.Timers().Find(gif, CGifAnimUI::kTimerId);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->killed);
    EXPECT_EQ(timer->periodMs, 100);
    const int native = timer->nativeId;
    EXPECT_TRUE(m.FireTimer(native));
    EXPECT_EQ(gif->GetCurrentFrame(), 1);
    EXPECT_EQ(m.Timers().Find(gif, CGifAnimUI::kTimerId)->periodMs, 250);
    EXPECT_TRUE(m.FireTimer(native));
    EXPECT_EQ(gif->GetCurrentFrame(), 0);
    EXPECT_TRUE(w.log.Of(u"timer").empty());  // the control used its ticks itself

    m.FireTimer(native);
    gif->SetBkImage(u"img/gif/loading.gif");  // same name: nothing changes
    EXPECT_EQ(gif->GetCurrentFrame(), 1);
    gif->SetVisible(false);
    EXPECT_TRUE(m.Timers().Find(gif, CGifAnimUI::kTimerId)->killed);
    EXPECT_FALSE(m.FireTimer(native));
    gif->SetVisible(true);
    EXPECT_FALSE(m.Timers().Find(gif, CGifAnimUI::kTimerId)->killed);
}

TEST(GifAnim, AnAnimationOnAHiddenPagePlaysOnlyOnceThePageShows) {
    TestWindow w(GifArchive());
    w.Build(
        u"<Window><TabLayout name=\"tab\"><Control/><Container>"
        u"<GifAnim name=\"g\" bkimage=\"img/gif/loading.gif\"/></Container></TabLayout></Window>");
    auto* gif = w.Find<CGifAnimUI>(u"g");
    const auto* timer = w.Manager().Timers().Find(gif, CGifAnimUI::kTimerId);
    EXPECT_TRUE(timer == nullptr || timer->killed);
    w.Find<CTabLayoutUI>(u"tab")->SelectItem(1);
    timer = w.Manager().Timers().Find(gif, CGifAnimUI::kTimerId);
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->killed);
}

struct Edits : ::testing::Test {
    TestWindow w;
    CEditUI* edit = nullptr;
    std::u16string clipboard;
    void SetUp() override {
        w.Build(
            u"<Window><VerticalLayout><Edit name=\"path\" readonly=\"true\" height=\"30\" "
            u"text=\"D:\\Games\\Kavrin\" nativebkcolor=\"#FFF5F8FC\" bkcolor=\"#FFF5F8FC\"/>"
            u"<Edit name=\"free\" height=\"30\" maxchar=\"3\"/></VerticalLayout></Window>");
        edit = w.Find<CEditUI>(u"path");
        ASSERT_NE(edit, nullptr);
        CEditUI::SetClipboardWriter([this](std::u16string_view text) { clipboard = text; });
    }
    void TearDown() override { CEditUI::SetClipboardWriter(nullptr); }
};

TEST_F(Edits, AReadOnlyBoxSelectsWithTheMouseAndCopies) {
    const Rect rc = edit->GetPos();
    const int y = (rc.top + rc.bottom) / 2;
    const int end = edit->GetPos().left + 4 + 1000;  // far right: the end of the text
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{rc.left + 1, y});
    m.OnLButtonDown(Point{rc.left + 1, y});
    m.OnMouseMove(Point{std::min(end, rc.right - 1), y});
    m.OnLButtonUp(Point{rc.right - 1, y});
    EXPECT_EQ(edit->GetSelText(), u"D:\\Games\\Kavrin");
    m.OnKeyDown(u'C', kKeyStateControl);
    EXPECT_EQ(clipboard, u"D:\\Games\\Kavrin");

    edit->SetSel(3, 8);
    EXPECT_EQ(edit->GetSelText(), u"Games");
    m.OnChar(u'x');
    m.OnKeyDown(kKeyBack);
    EXPECT_EQ(edit->GetText(), u"D:\\Games\\Kavrin");
    EXPECT_TRUE(w.log.Of(u"textchanged").empty());
    m.OnLButtonDblClk(Point{rc.left + 1, y});
    EXPECT_EQ(edit->GetSelText(), edit->GetText());
}

TEST_F(Edits, ThePointerPicksTheNearestCharacterBoundary) {
    const int start = edit->GetPos().left + 4;
    EXPECT_EQ(edit->OffsetAt(start - 50), 0);
    EXPECT_EQ(edit->OffsetAt(start + 5000), 15);
    const int mid = edit->OffsetAt(start + 30);
    EXPECT_GT(mid, 0);
    EXPECT_LT(mid, 15);
}

TEST_F(Edits, AnEditableBoxTakesCharactersUpToItsLimit) {
    auto* free = w.Find<CEditUI>(u"free");
    free->SetFocus();
    for (char16_t c : std::u16string_view(u"abcd")) {
        w.Manager().OnChar(c);
    }
    EXPECT_EQ(free->GetText(), u"abc");
    EXPECT_EQ(w.log.Of(u"textchanged").size(), 3u);
    w.Manager().OnKeyDown(kKeyReturn);
    EXPECT_EQ(w.log.Of(u"return").size(), 1u);
    free->SetSelAll();
    EXPECT_TRUE(free->Copy());
    EXPECT_EQ(clipboard, u"abc");
}

}  // namespace
