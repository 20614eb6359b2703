#include <gtest/gtest.h>

#include "tests/uikit/support/SkinFixture.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/markup/MarkupDocUI.h"
#include "uikit/markup/MarkupNodeUI.h"
#include "uikit/resources/MarkupResources.h"
#include "uikit/resources/ResourceTablesUI.h"

namespace {

using namespace uikit;

TEST(ResourceTables, AWindowsOwnFontWinsOverTheSharedOneOfTheSameId) {
    ResourceTablesUI message(LinkedSkin());
    ResourceTablesUI other(LinkedSkin());
    other.AddFont(9160, FontInfo{u"微软雅黑", 14}, /*shared=*/true);
    message.AddFont(9160, FontInfo{u"微软雅黑", 16}, /*shared=*/false);
    EXPECT_EQ(message.GetFont(9160)->Info().size, 16);
    EXPECT_EQ(other.GetFont(9160)->Info().size, 14);
}

TEST(ResourceTables, UnknownFontIdsGiveTheDefaultFont) {
    ResourceTablesUI window(LinkedSkin());
    EXPECT_EQ(window.FindFont(-1), nullptr);
    ASSERT_NE(window.GetFont(-1), nullptr);  // a built-in default even before any markup
    window.SetDefaultFont(FontInfo{u"微软雅黑", 13}, /*shared=*/false);
    EXPECT_EQ(window.GetFont(987654)->Info().size, 13);
    EXPECT_EQ(window.GetDefaultFont()->Info().size, 13);
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

TEST(MarkupResources, TheSkinFontsBecomeSharedWithTheirDefault) {
    CMarkupDocUI doc;
    ASSERT_TRUE(doc.LoadFromFile(u"fonts.xml", LinkedSkin()));
    ResourceTablesUI window(LinkedSkin());
    RegisterMarkupResources(doc.GetRoot(), window);
    ResourceTablesUI other(LinkedSkin());
    const FontPtr bold = other.FindFont(220);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->Info().size, 22);
    EXPECT_TRUE(bold->Info().bold);
    EXPECT_EQ(bold->Info().face, u"微软雅黑");
    EXPECT_FALSE(other.FindFont(430)->Info().bold);
    EXPECT_EQ(other.GetDefaultFont()->Info().size, 13);
    EXPECT_EQ(other.GetFont(999)->Info().size, 13);
}

TEST(MarkupResources, RegistersImagesDefaultsAndTextsButSkipsFontsWithoutId) {
    CMarkupDocUI doc;
    ASSERT_TRUE(
        doc.Load(u"<Window><IMAGE NAME=\"img/placeholder.png\" Mask=\"#FFFF00FF\"/>"
                 u"<font id=\"7160\" name=\"微软雅黑\" size=\"16\" underline=\"true\"/>"
                 u"<Font name=\"微软雅黑\" size=\"40\" default=\"true\"/>"
                 u"<Font id=\"7161\" name=\"微软雅黑\" bold=\"True\"/>"
                 u"<Default name=\"TestButton\" value=\"height=&quot;24&quot;\"/>"
                 u"<MultiLanguage id=\"7\" value=\"游戏\"/>"
                 u"<VerticalLayout><Font id=\"7162\" name=\"x\"/></VerticalLayout></Window>"));
    ResourceTablesUI window(LinkedSkin());
    RegisterMarkupResources(doc.GetRoot(), window);
    const auto image = window.GetImage(u"img/placeholder.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Pixel(11, 11), 0u);
    EXPECT_TRUE(window.FindFont(7160)->Info().underline);
    EXPECT_EQ(window.FindFont(7161)->Info().size, 12);  // default size
    EXPECT_FALSE(window.FindFont(7161)->Info().bold);   // "True" is not "true"
    EXPECT_NE(window.GetDefaultFont()->Info().size, 40);
    EXPECT_EQ(window.FindFont(7162), nullptr);  // only the root's direct children count
    EXPECT_EQ(window.GetDefaultAttributeList(u"TestButton"), u"height=\"24\"");
    EXPECT_EQ(MultiLanguageText(7), u"游戏");
    EXPECT_EQ(MultiLanguageText(8), u"");
}

}  // namespace
