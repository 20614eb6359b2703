#include <gtest/gtest.h>

#include "common/TextConvert.h"

namespace {

TEST(TextConvert, RoundTripsChineseAndCharactersBeyondTheBasicPlane) {
    const std::string text = "魔兽争霸3：冰封王座 CS1.6 \xF0\x9F\x8E\xAE";
    const std::u16string wide = AnsiToUtf16(text);
    EXPECT_EQ(wide.substr(0, 4), u"魔兽争霸");
    EXPECT_EQ(wide.back(), u'\xDFAE');  // low half of the surrogate pair
    EXPECT_EQ(Utf16ToAnsi(wide), text);
}

TEST(TextConvert, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(AnsiToUtf16("a\xFF"
                          "b"),
              u"a\xFFFD"
              u"b");
    EXPECT_EQ(AnsiToUtf16("\xE4\xB8"), u"\xFFFD");          // cut-off sequence
    EXPECT_EQ(AnsiToUtf16("\xC0\xAF"), u"\xFFFD");          // overlong "/"
    EXPECT_EQ(AnsiToUtf16("\xED\xA0\x80"), u"\xFFFD");      // encoded surrogate
    EXPECT_EQ(Utf16ToAnsi(u"x\xD800y"), "x\xEF\xBF\xBDy");  // lone surrogate
    EXPECT_EQ(AnsiToUtf16(""), u"");
}

}  // namespace
