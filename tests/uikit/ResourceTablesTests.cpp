#include <gtest/gtest.h>

#include "tests/uikit/SkinFixture.h"
#include "uikit/ImageDescriptor.h"
#include "uikit/ResourceTablesUI.h"

namespace {

using namespace uikit;

TEST(ResourceTables, AWindowsOwnFontWinsOverTheSharedOneOfTheSameId) {
    ResourceTablesUI message(LinkedSkin());
    ResourceTablesUI other(LinkedSkin());
    other.AddFont(9160, FontSpec{u"微软雅黑", 14}, /*shared=*/true);
    message.AddFont(9160, FontSpec{u"微软雅黑", 16}, /*shared=*/false);
    EXPECT_EQ(message.GetFont(9160)->Spec().size, 16);
    EXPECT_EQ(other.GetFont(9160)->Spec().size, 14);
}

TEST(ResourceTables, UnknownFontIdsGiveTheDefaultFont) {
    ResourceTablesUI window(LinkedSkin());
    EXPECT_EQ(window.FindFont(-1), nullptr);
    ASSERT_NE(window.GetFont(-1), nullptr);  // a built-in default even before any markup
    window.SetDefaultFont(FontSpec{u"微软雅黑", 13}, /*shared=*/false);
    EXPECT_EQ(window.GetFont(987654)->Spec().size, 13);
    EXPECT_EQ(window.GetDefaultFont()->Spec().size, 13);
}

TEST(ResourceTables, ImagesAndDefaultsArePrivateFirst) {
    ResourceTablesUI a(LinkedSkin());
    ResourceTablesUI b(LinkedSkin());
    ASSERT_NE(a.AddImage(u"#FF0000FF", kColorResType, 0, /*shared=*/true), nullptr);
    EXPECT_NE(b.GetImage(u"#FF0000FF"), nullptr);  // shared: every window sees it

    a.AddImage(u"img/placeholder.png", u"", kMagenta, /*shared=*/false);
    EXPECT_NE(a.GetImage(u"img/placeholder.png"), nullptr);
    EXPECT_EQ(b.GetImage(u"img/placeholder.png"), nullptr);

    b.AddDefaultAttributeList(u"TestVScrollBar", u"width=\"8\"", /*shared=*/true);
    a.AddDefaultAttributeList(u"TestVScrollBar", u"width=\"12\"", /*shared=*/false);
    EXPECT_EQ(a.GetDefaultAttributeList(u"TestVScrollBar"), u"width=\"12\"");
    EXPECT_EQ(b.GetDefaultAttributeList(u"TestVScrollBar"), u"width=\"8\"");
    EXPECT_EQ(b.GetDefaultAttributeList(u"testvscrollbar"), u"");  // tag keys are exact
}

TEST(ResourceTables, ADescriptorLoadsItsImageOnceAndKeepsIt) {
    ResourceTablesUI window(LinkedSkin());
    ImageDescriptor d = ParseImageDescriptor(u"file='IMG\\placeholder.png' mask='#FFFF00FF'");
    const auto image = window.ResolveImage(d);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 24);
    EXPECT_EQ(image->Pixel(11, 11), 0u);  // the descriptor's mask applied
    EXPECT_EQ(window.ResolveImage(d), image);
    EXPECT_EQ(window.GetImage(u"IMG\\placeholder.png"), image);

    ImageDescriptor missing = ParseImageDescriptor(u"img/none.png");
    EXPECT_EQ(window.ResolveImage(missing), nullptr);
    EXPECT_TRUE(missing.lookedUp);
}

}  // namespace
