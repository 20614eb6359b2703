#include <gtest/gtest.h>

#include <string>

#include "uikit/image/SkinArchive.h"
#include "uikit/image/SkinFileName.h"

namespace {

using namespace uikit;

TEST(SkinFileName, OnlyPlainFileNamesJoinTheirFolder) {
    EXPECT_EQ(SkinImageInFolder(u"img/cover/", u"cs.jpg"), u"img/cover/cs.jpg");
    EXPECT_EQ(SkinImageInFolder(u"img/gif/", u"红色警戒 2.gif"), u"img/gif/红色警戒 2.gif");
    EXPECT_TRUE(IsPlainSkinFileName(u"..cs.jpg")) << "dots inside a name are a name";
    for (const std::u16string_view refused :
         {std::u16string_view(u""), std::u16string_view(u"."), std::u16string_view(u".."),
          std::u16string_view(u"..."), std::u16string_view(u"../cs.jpg"),
          std::u16string_view(u"/etc/passwd"), std::u16string_view(u"a\\b.jpg"),
          std::u16string_view(u"a='' corner='2147483647,0,0,0' file='x.png'"),
          std::u16string_view(u"a\"b.jpg"), std::u16string_view(u"a=b.jpg"),
          std::u16string_view(u"cs.jpg\n"), std::u16string_view(u"cs\x7f.jpg"),
          std::u16string_view(u"cs\0.jpg", 7)}) {
        EXPECT_FALSE(IsPlainSkinFileName(refused)) << refused.size();
        EXPECT_EQ(SkinImageInFolder(u"img/cover/", refused), u"");
    }
    const std::u16string longest(SkinArchive::kMaxNameLength, u'a');
    EXPECT_TRUE(IsPlainSkinFileName(longest));
    EXPECT_FALSE(IsPlainSkinFileName(longest + u"a"));
}

}  // namespace
