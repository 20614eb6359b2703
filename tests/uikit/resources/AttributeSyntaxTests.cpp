#include <gtest/gtest.h>

#include "uikit/image/ImageDescriptor.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"
#include "uikit/resources/AttributeSyntax.h"

namespace {

using namespace uikit;

TEST(AttributeSyntax, IntegersStopAtTheFirstNonDigit) {
    EXPECT_EQ(ParseInt(u"  42px"), 42);
    EXPECT_EQ(ParseInt(u"-7"), -7);
    EXPECT_EQ(ParseInt(u"abc"), 0);
    EXPECT_EQ(ParseInt(u""), 0);
    EXPECT_EQ(ParseInt(u"99999999999999999999"), INT32_MAX);  // saturates, never overflows
}

TEST(AttributeSyntax, IntegerListsLeaveMissingComponentsAtZero) {
    EXPECT_EQ(ParseRect(u"915,615,0,0"), (Rect{915, 615, 0, 0}));
    EXPECT_EQ(ParseRect(u"10,10"), (Rect{10, 10, 0, 0}));
    EXPECT_EQ(ParseRect(u"10"), (Rect{10, 0, 0, 0}));  // no read past the end
    EXPECT_EQ(ParseRect(u"1, 2,3,4,5"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(ParseRect(u"1,,3"), (Rect{1, 0, 3, 0}));  // one separator each
    const Size size = ParseSize(u"1024,720");
    EXPECT_EQ(size.cx, 1024);
    EXPECT_EQ(size.cy, 720);
    const Point point = ParsePoint(u"-3;8");
    EXPECT_EQ(point.x, -3);
    EXPECT_EQ(point.y, 8);
}

TEST(AttributeSyntax, OnlyTheExactTextTrueIsTrue) {
    EXPECT_TRUE(ParseBool(u"true"));
    EXPECT_FALSE(ParseBool(u"True"));
    EXPECT_FALSE(ParseBool(u"1"));
    EXPECT_FALSE(ParseBool(u" true"));
}

TEST(AttributeSyntax, ColoursAcceptHashAndHexPrefixes) {
    EXPECT_EQ(ParseColor(u"#FF347AEA"), 0xFF347AEAu);
    EXPECT_EQ(ParseColor(u"0xFFecf4f6"), 0xFFECF4F6u);
    EXPECT_EQ(ParseColor(u"#0xFFffffff"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseColor(u"FF1919cf"), 0xFF1919CFu);
    EXPECT_EQ(ParseColor(u""), 0u);
    EXPECT_EQ(ParseColor(u"#"), 0u);
    EXPECT_EQ(ParseColor(u"#FF00FF00 trailing"), 0xFF00FF00u);
}

TEST(AttributeSyntax, AttributeListsEndAtTheFirstPairNotFollowedByOneSpace) {
    const AttributeList list =
        ParseAttributeList(u"width=\"8\" bkcolor=\"#FF000000\"  height=\"9\"");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].first, u"width");
    EXPECT_EQ(list[0].second, u"8");
    EXPECT_EQ(list[1].second, u"#FF000000");

    EXPECT_EQ(ParseAttributeList(u"a=\"1\" b=2 c=\"3\"").size(), 1u);  // malformed pair ends it
    EXPECT_EQ(ParseAttributeList(u"a=\"unterminated").size(), 0u);
    EXPECT_EQ(ParseAttributeList(u"").size(), 0u);
    const AttributeList empty = ParseAttributeList(u"a=\"\" b=\"x y\"");
    ASSERT_EQ(empty.size(), 2u);
    EXPECT_EQ(empty[1].second, u"x y");
}

TEST(AttributeSyntax, AttributeListsArriveThroughMarkupWithQuotEntities) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.Load(
        u"<Default name=\"VScrollBar\" value=\"button1normalimage=&quot;file='a.png'&quot; "
        u"width=&quot;8&quot;\"/>"));
    const AttributeList list = ParseAttributeList(doc.GetRoot().GetAttributeValue(u"value"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].second, u"file='a.png'");
    EXPECT_EQ(list[1].first, u"width");
}

TEST(ImageDescriptorSyntax, ABareValueIsTheImageName) {
    const ImageDescriptor d = ParseImageDescriptor(u"img/AllBkImg.png");
    EXPECT_EQ(d.name, u"img/AllBkImg.png");
    EXPECT_TRUE(d.resType.empty());
    EXPECT_EQ(d.fade, 255);
    EXPECT_EQ(d.source, Rect{});
}

TEST(ImageDescriptorSyntax, ReadsEveryKey) {
    const ImageDescriptor d = ParseImageDescriptor(
        u"file='img/btn.png' dest='1,2,3,4' source='0,24,80,48' corner='4,5,6,7' mask='#FFFF00FF' "
        u"fade='128' hole='true' xtiled='true' ytiled='false' hsl='true' unknown='x'");
    EXPECT_EQ(d.name, u"img/btn.png");
    EXPECT_EQ(d.dest, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(d.source, (Rect{0, 24, 80, 48}));
    EXPECT_EQ(d.corners, (Rect{4, 5, 6, 7}));
    EXPECT_EQ(d.mask, 0xFFFF00FFu);
    EXPECT_EQ(d.fade, 128);
    EXPECT_TRUE(d.hole);
    EXPECT_TRUE(d.xTiled);
    EXPECT_FALSE(d.yTiled);
    EXPECT_TRUE(d.hsl);
    EXPECT_EQ(ParseImageDescriptor(u"file='a.png' scale9='2,2,2,2'").corners, (Rect{2, 2, 2, 2}));
    EXPECT_EQ(ParseImageDescriptor(u"file='a.png' fade='999'").fade, 255);
}

TEST(ImageDescriptorSyntax, ColourAndResourceForms) {
    const ImageDescriptor color = ParseImageDescriptor(u"color='#FF102030'");
    EXPECT_EQ(color.resType, kColorResType);
    EXPECT_EQ(color.name, u"#FF102030");
    const ImageDescriptor res = ParseImageDescriptor(u"res='131' restype='ZIPRES'");
    EXPECT_EQ(res.name, u"131");
    EXPECT_EQ(res.resType, u"ZIPRES");
}

TEST(ImageDescriptorSyntax, PairsStopWithoutASpaceAfterTheQuoteAndSkipEmptyValues) {
    const ImageDescriptor glued = ParseImageDescriptor(u"file='a.png'fade='10'");
    EXPECT_EQ(glued.name, u"a.png");
    EXPECT_EQ(glued.fade, 255);
    const ImageDescriptor empty = ParseImageDescriptor(u"file='a.png' source='' fade='9'");
    EXPECT_EQ(empty.source, Rect{});
    EXPECT_EQ(empty.fade, 9);
    const ImageDescriptor spaced = ParseImageDescriptor(u"file='a.png'   fade='7'");
    EXPECT_EQ(spaced.fade, 7);
}

}  // namespace
