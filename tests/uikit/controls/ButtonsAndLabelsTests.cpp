// Buttons, options, check boxes, labels, tagged text and text links, driven by injected input.
#include <gtest/gtest.h>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ButtonUI.h"
#include "uikit/controls/CheckBoxUI.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/controls/OptionUI.h"
#include "uikit/controls/TaggedTextUI.h"
#include "uikit/controls/TextUI.h"
#include "uikit/draw/Canvas.h"
#include "uikit/draw/TextPainter.h"

using namespace uikit;

namespace {

constexpr std::u16string_view kNavigation =
    u"<Window><VerticalLayout childpadding=\"10\">"
    u"<Option name=\"GameBookBtn\" group=\"group\" height=\"30\" selected=\"true\"/>"
    u"<Option name=\"MyDownload\" group=\"group\" height=\"30\"/>"
    u"<Option name=\"MyOrderForm\" group=\"group\" height=\"30\"/>"
    u"<Option name=\"loose\" height=\"30\"/>"
    u"<CheckBox name=\"box\" height=\"30\"/>"
    u"<Button name=\"btn\" height=\"30\"/>"
    u"</VerticalLayout></Window>";

struct Buttons : ::testing::Test {
    TestWindow w;
    void SetUp() override {
        ASSERT_NE(w.Build(kNavigation), nullptr);
        w.log = NotifyLog{};
    }
};

TEST_F(Buttons, AnOptionInAGroupSendsClickThenSelectChangedAndDeselectsTheOthersQuietly) {
    auto* first = w.Find<COptionUI>(u"GameBookBtn");
    auto* second = w.Find<COptionUI>(u"MyDownload");
    EXPECT_TRUE(first->IsSelected());
    w.Click(second);
    EXPECT_EQ(w.log.lines, (std::vector<std::u16string>{u"setfocus:MyDownload", u"click:MyDownload",
                                                        u"selectchanged:MyDownload"}));
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    EXPECT_FALSE(w.Find<COptionUI>(u"MyOrderForm")->IsSelected());

    w.log = NotifyLog{};
    w.Click(second);  // already selected: stays so, and says nothing more than the click
    EXPECT_EQ(w.log.lines, std::vector<std::u16string>{u"click:MyDownload"});
    EXPECT_TRUE(second->IsSelected());
}

TEST_F(Buttons, AnOptionOutsideAGroupToggles) {
    auto* loose = w.Find<COptionUI>(u"loose");
    w.Click(loose);
    w.Click(loose);
    EXPECT_FALSE(loose->IsSelected());
    EXPECT_EQ(w.log.Of(u"selectchanged").size(), 2u);
}

TEST_F(Buttons, ACheckBoxReportsTheClickBeforeItChanges) {
    auto* box = w.Find<CCheckBoxUI>(u"box");
    std::vector<bool> seenAtClick;
    box->OnNotify.push_back([&](NotifyRecordUI& m) {
        if (m.type == u"click") {
            seenAtClick.push_back(box->GetCheck());
        }
        return true;
    });
    w.Click(box);
    w.Click(box);
    EXPECT_EQ(seenAtClick, (std::vector<bool>{false, true}));
    EXPECT_FALSE(box->GetCheck());
    EXPECT_EQ(w.log.Of(u"selectchanged").size(), 2u);
}

TEST_F(Buttons, ReleasingOutsideOrWhileDisabledSendsNoClick) {
    auto* btn = w.Find<CButtonUI>(u"btn");
    const Rect rc = btn->GetPos();
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{rc.left + 2, rc.top + 2});
    EXPECT_TRUE(btn->IsHot());
    m.OnLButtonDown(Point{rc.left + 2, rc.top + 2});
    EXPECT_TRUE(btn->IsPushed());
    m.OnMouseMove(Point{rc.left + 2, rc.bottom + 50});
    EXPECT_FALSE(btn->IsPushed());
    EXPECT_FALSE(btn->IsHot());
    m.OnLButtonUp(Point{rc.left + 2, rc.bottom + 50});
    EXPECT_TRUE(w.log.Of(u"click").empty());

    btn->SetEnabled(false);
    w.Click(btn);
    EXPECT_TRUE(w.log.Of(u"click").empty());
}

TEST_F(Buttons, SpaceOrReturnActivatesTheFocusedButton) {
    auto* btn = w.Find<CButtonUI>(u"btn");
    btn->SetFocus();
    w.Manager().OnKeyDown(kKeySpace);
    w.Manager().OnKeyUp(kKeySpace);
    w.Manager().OnKeyDown(kKeyReturn);
    w.Manager().OnKeyDown(u'A');
    EXPECT_EQ(w.log.Of(u"click").size(), 2u);
    btn->SetKeyboardEnabled(false);
    w.Manager().OnKeyDown(kKeySpace);
    EXPECT_EQ(w.log.Of(u"click").size(), 2u);
}

TEST(Labels, AlignmentPaddingAndColoursFromMarkup) {
    TestWindow w;
    w.Build(
        u"<Window defaultfontcolor=\"#FF123456\"><VerticalLayout>"
        u"<Label name=\"l\" align=\"center\" valign=\"bottom\" endellipsis=\"true\" "
        u"textpadding=\"1,2,3,4\" font=\"160\" textcolor=\"#FF347AEA\"/>"
        u"<label name=\"c\" textColor=\"0xFF1b7aff\"/></VerticalLayout></Window>");
    auto* l = w.Find<CLabelUI>(u"l");
    EXPECT_EQ(l->GetTextStyle(), TextStyle::kSingleLine | TextStyle::kCenter | TextStyle::kBottom |
                                     TextStyle::kEndEllipsis);
    EXPECT_EQ(l->GetTextPadding(), R(1, 2, 3, 4));
    EXPECT_EQ(l->GetFont(), 160);
    EXPECT_EQ(l->GetTextColor(), 0xFF347AEAu);
    auto* c = w.Find<CLabelUI>(u"c");
    ASSERT_NE(c, nullptr);  // "label" is a Label too
    EXPECT_EQ(c->GetTextStyle(), TextStyle::kSingleLine | TextStyle::kVCenter);
    EXPECT_EQ(c->GetTextColor(), 0u);
    EXPECT_EQ(c->GetCustomAttribute(u"textColor"), u"0xFF1b7aff");
}

TEST(Labels, ButtonCaptionsAreCentredUnlessTheMarkupSaysOtherwise) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout><Button name=\"ok\" text=\"确定\"/>"
        u"<Button name=\"help\" text=\"x\" align=\"left\"/></VerticalLayout></Window>");
    EXPECT_EQ(w.Find<CButtonUI>(u"ok")->GetTextStyle(),
              TextStyle::kSingleLine | TextStyle::kVCenter | TextStyle::kCenter);
    EXPECT_EQ(w.Find<CButtonUI>(u"help")->GetTextStyle(),
              TextStyle::kSingleLine | TextStyle::kVCenter | TextStyle::kLeft);
}

TEST(Labels, InAHorizontalLayoutOnlyAnAutomaticWidthKeepsTheTextWidth) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout>"
        u"<Label name=\"auto\" text=\"请点击右下角\" autocalcwidth=\"true\" "
        u"textpadding=\"5,0,7,0\"/>"
        u"<Label name=\"short\" text=\"Hi\"/>"
        u"<Button name=\"fixed\" width=\"90\" text=\"x\"/>"
        u"</HorizontalLayout></Window>",
        Size{600, 40});
    auto* a = w.Find<CLabelUI>(u"auto");
    const int textWidth = a->MeasureTextWidth();
    EXPECT_GT(textWidth, 20);
    EXPECT_EQ(a->GetPos().Width(), textWidth + 12);
    EXPECT_EQ(w.Find(u"short")->GetPos().Width(), 600 - 90 - textWidth - 12);
    EXPECT_EQ(w.Find(u"fixed")->GetPos(), R(510, 0, 600, 40));

    a->SetText(u"请");  // the width follows the text at the next layout
    w.Manager().LayoutIfNeeded();
    EXPECT_LT(a->GetPos().Width(), textWidth + 12);
}

TEST(Labels, AnAutomaticWidthHoldsInAVerticalLayoutFromTheFirstLayout) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout><Label name=\"a\" text=\"Kavrin\" height=\"30\" "
        u"autocalcwidth=\"true\"/></VerticalLayout></Window>",
        Size{600, 40});
    auto* a = w.Find<CLabelUI>(u"a");
    EXPECT_EQ(a->GetPos().Width(), a->MeasureTextWidth());
    EXPECT_LT(a->GetPos().Width(), 600);
}

TEST(Cursors, OnlyControlsWithTheirOwnCursorGetTheEvent) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout><Button name=\"b\" cursor=\"arrow\"/><Label/>"
        u"</HorizontalLayout></Window>",
        Size{200, 20});
    int setCursor = 0;
    w.Find(u"b")->OnEvent.push_back([&](EventRecordUI& e) {
        setCursor += e.type == UIEVENT_SETCURSOR ? 1 : 0;
        return true;
    });
    EXPECT_TRUE(w.Manager().OnSetCursor(Point{10, 10}));
    EXPECT_FALSE(w.Manager().OnSetCursor(Point{150, 10}));
    EXPECT_EQ(setCursor, 1);
    EXPECT_EQ(w.Find(u"b")->GetCustomAttribute(u"cursor"), u"arrow");
}

TEST(TaggedText, AnUnclosedTagStaysInForceToTheEnd) {
    // What the help button's text attribute becomes once its entities are read.
    const TaggedTextUI t = TaggedTextUI::Parse(u"<u>帮助页面<u>。");
    ASSERT_EQ(t.runs.size(), 2u);
    EXPECT_EQ(t.runs[0].text, u"帮助页面");
    EXPECT_EQ(t.runs[1].text, u"。");
    EXPECT_TRUE(t.runs[0].style.underline);
    EXPECT_TRUE(t.runs[1].style.underline);
    EXPECT_EQ(t.PlainText(), u"帮助页面。");
}

// The rightmost pixel of the longest horizontal run of ink on white: the underline's end (glyph
// rows have gaps between characters; an underline does not).
int UnderlineEnd(const Canvas& canvas) {
    int bestLength = 0;
    int bestEnd = -1;
    for (int y = 0; y < canvas.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < canvas.Width(); ++x) {
            run = (canvas.Pixel(x, y) & 0xFF) < 0xE0 ? run + 1 : 0;
            if (run > bestLength) {
                bestLength = run;
                bestEnd = x;
            }
        }
    }
    return bestEnd;
}

int PaintedUnderlineEnd(std::u16string_view text) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout bkcolor=\"#FFFFFFFF\"><Button name=\"b\" "
        u"showhtml=\"true\" align=\"left\" textcolor=\"#FF000000\"/></HorizontalLayout>"
        u"</Window>",
        Size{300, 40});
    w.Find(u"b")->SetText(text);
    Canvas canvas(300, 40);
    w.Manager().Paint(canvas);
    return UnderlineEnd(canvas);
}

TEST(TaggedText, ThePaintedUnderlineRunsToTheEndWhenNeverClosed) {
    const int closed = PaintedUnderlineEnd(u"<u>帮助页面</u>。。。。");
    const int open = PaintedUnderlineEnd(u"<u>帮助页面<u>。。。。");
    EXPECT_GT(closed, 20);
    EXPECT_GT(open, closed + 20);
}

TEST(TaggedText, ClosingTagsRestoreAndBracesWorkLikeAngles) {
    const TaggedTextUI t =
        TaggedTextUI::Parse(u"a{b}b{c #FFFF0000}c{/c}{/b}d<f 160>e</f><a go>L</a><n>{<}");
    ASSERT_EQ(t.runs.size(), 8u);
    EXPECT_FALSE(t.runs[0].style.bold);
    EXPECT_TRUE(t.runs[1].style.bold);
    EXPECT_EQ(t.runs[2].style.color, 0xFFFF0000u);
    EXPECT_TRUE(t.runs[2].style.bold);
    EXPECT_EQ(t.runs[3].text, u"d");
    EXPECT_FALSE(t.runs[3].style.bold);
    EXPECT_EQ(t.runs[3].style.color, 0u);
    EXPECT_EQ(t.runs[4].style.fontId, 160);
    EXPECT_EQ(t.runs[5].style.link, 0);
    EXPECT_EQ(t.links, std::vector<std::u16string>{u"go"});
    EXPECT_EQ(t.runs[6].kind, TaggedRunUI::Kind::LineBreak);
    EXPECT_EQ(t.runs[7].text, u"<");
}

TEST(TaggedText, ParagraphsLineHeightsAlignmentAndSelection) {
    const TaggedTextUI t =
        TaggedTextUI::Parse(u"a<p 10>b</p><v center><y 30>c<s>d{f Sans 14 bold}e");
    ASSERT_EQ(t.runs.size(), 7u);
    EXPECT_EQ(t.runs[1].kind, TaggedRunUI::Kind::LineBreak);  // a paragraph starts a line
    EXPECT_EQ(t.runs[2].style.indent, 10);
    EXPECT_EQ(t.runs[3].kind, TaggedRunUI::Kind::LineBreak);  // and ends one
    EXPECT_EQ(t.runs[4].style.indent, 0);
    EXPECT_EQ(t.runs[4].style.valign, u'c');
    EXPECT_EQ(t.runs[4].style.lineHeight, 30);
    EXPECT_TRUE(t.runs[5].style.selected);
    EXPECT_EQ(t.runs[6].style.fontFace, u"Sans");
    EXPECT_EQ(t.runs[6].style.fontSize, 14);
    EXPECT_TRUE(t.runs[6].style.bold);
}

// Openers that no closer follows print as they are, also when a closer of the other kind or a
// real tag comes later: the scan for a closer must not stop at the first opener it saw.
TEST(TaggedText, UnmatchedOpenersStayTextAroundLaterTags) {
    const std::u16string openers(65536, u'<');
    const TaggedTextUI only = TaggedTextUI::Parse(openers);
    ASSERT_EQ(only.runs.size(), 1u);
    EXPECT_EQ(only.runs[0].text, openers);

    const TaggedTextUI mixed = TaggedTextUI::Parse(u"<<{<{b}x{/b}<<u>y");
    ASSERT_EQ(mixed.runs.size(), 4u);
    EXPECT_EQ(mixed.runs[0].text, u"<<{<");
    EXPECT_EQ(mixed.runs[1].text, u"x");
    EXPECT_TRUE(mixed.runs[1].style.bold);
    EXPECT_EQ(mixed.runs[2].text, u"<");
    EXPECT_FALSE(mixed.runs[2].style.bold);
    EXPECT_EQ(mixed.runs[3].text, u"y");
    EXPECT_TRUE(mixed.runs[3].style.underline);

    // A closer far behind every opener still closes only the tag right before it.
    std::u16string tail = openers + u"b>z";
    const TaggedTextUI late = TaggedTextUI::Parse(tail);
    ASSERT_EQ(late.runs.size(), 2u);
    EXPECT_EQ(late.runs[0].text.size(), openers.size() - 1);
    EXPECT_EQ(late.runs[1].text, u"z");
    EXPECT_TRUE(late.runs[1].style.bold);
}

TEST(TaggedText, RawTextAndNonTagsStayText) {
    const TaggedTextUI t = TaggedTextUI::Parse(u"1 < 2 <r><b>x</r> <q> <x 12>{i img/a.png}");
    ASSERT_GE(t.runs.size(), 5u);
    EXPECT_EQ(t.runs[0].text, u"1 < 2 ");
    EXPECT_EQ(t.runs[1].text, u"<b>x");
    EXPECT_FALSE(t.runs[1].style.bold);
    EXPECT_EQ(t.runs[2].text, u" <q> ");
    EXPECT_EQ(t.runs[3].kind, TaggedRunUI::Kind::MoveX);
    EXPECT_EQ(t.runs[3].amount, 12);
    EXPECT_EQ(t.runs[4].kind, TaggedRunUI::Kind::Image);
    EXPECT_EQ(t.runs[4].text, u"img/a.png");
}

TEST(TextControl, AClickOnALinkReportsItsIndex) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout><Text name=\"t\" showhtml=\"true\" "
        u"text=\"see &lt;a first&gt;here&lt;/a&gt; or &lt;a second&gt;there&lt;/a&gt;\"/>"
        u"</VerticalLayout></Window>",
        Size{400, 100});
    Canvas canvas(400, 100);
    w.Manager().Paint(canvas);
    auto* t = w.Find<CTextUI>(u"t");
    int y = 0;
    int secondX = -1;
    for (int x = 399; x >= 0 && secondX < 0; --x) {
        for (y = 0; y < 100; ++y) {
            if (t->LinkAt(Point{x, y}) == 1) {
                secondX = x;
                break;
            }
        }
    }
    ASSERT_GE(secondX, 0);
    w.Click(Point{secondX, y});
    ASSERT_EQ(w.log.Of(u"link").size(), 1u);
    EXPECT_EQ(w.log.records.back().wParam, 1u);
    EXPECT_EQ(t->GetLinkContent(1), u"second");
    w.Click(Point{1, 99});
    EXPECT_EQ(w.log.Of(u"link").size(), 1u);
}

TEST(Painting, BackgroundThenImagesThenChildrenClippedToTheParent) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout bkcolor=\"#FF0000FF\" inset=\"10,10,10,10\">"
        u"<Control name=\"child\" bkcolor=\"#FF00FF00\" height=\"20\"/>"
        u"<Button bkcolor=\"#FFFF0000\" hotbkcolor=\"#FFFFFFFF\" height=\"20\" "
        u"bordercolor=\"#FF000000\" bordersize=\"1\"/>"
        u"</VerticalLayout></Window>",
        Size{100, 100});
    Canvas canvas(100, 100);
    w.Manager().Paint(canvas);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFF0000FFu);
    EXPECT_EQ(canvas.Pixel(50, 15), 0xFF00FF00u);
    EXPECT_EQ(canvas.Pixel(50, 35), 0xFFFF0000u);
    EXPECT_EQ(canvas.Pixel(10, 35), 0xFF000000u);  // the border on top
    w.Manager().OnMouseMove(Point{50, 35});
    w.Manager().Paint(canvas);
    EXPECT_EQ(canvas.Pixel(50, 35), 0xFFFFFFFFu);
}

}  // namespace
