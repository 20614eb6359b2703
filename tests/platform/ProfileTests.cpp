#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "tests/support/TempDir.h"

using platform::GetPrivateProfileInt;
using platform::GetPrivateProfileString;
using platform::WritePrivateProfileString;

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::u16string file = dir.Wide("settings.ini");
    void Write(const std::string& text) { WriteWholeFile(dir / "settings.ini", text); }
    std::string Read() { return ReadWholeFile(dir / "settings.ini"); }
};

TEST_F(ProfileTest, MissingFileGivesDefaultsAndIsNotCreatedByReads) {
    EXPECT_EQ(GetPrivateProfileInt(u"soft", u"id", 7, file), 7);
    EXPECT_EQ(GetPrivateProfileString(u"soft", u"x", u"dflt", 260, file), u"dflt");
    EXPECT_FALSE(std::filesystem::exists(dir / "settings.ini"));
}

TEST_F(ProfileTest, NamesMatchWithoutRegardToCaseAndValuesAreTrimmed) {
    Write("; comment\n[Soft]\n  ID = 42 \nName=\"  quoted  \"\nother='x'\n[config]\nuuid=abc\n");
    EXPECT_EQ(GetPrivateProfileInt(u"soft", u"id", 0, file), 42);
    EXPECT_EQ(GetPrivateProfileString(u"SOFT", u"name", u"", 260, file), u"  quoted  ");
    EXPECT_EQ(GetPrivateProfileString(u"soft", u"OTHER", u"", 260, file), u"x");
    EXPECT_EQ(GetPrivateProfileString(u"Config", u"UUID", u"", 260, file), u"abc");
    // A key of another section is not found.
    EXPECT_EQ(GetPrivateProfileString(u"config", u"id", u"none", 260, file), u"none");
}

TEST_F(ProfileTest, IntegersParseLeadingDigitsOnly) {
    Write("[s]\na=12abc\nb=abc\nc=-5\nd=0x1F\ne=\nf=4294967297\n");
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"a", 9, file), 12);
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"b", 9, file), 0);
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"c", 9, file), -5);
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"d", 9, file), 31);
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"e", 9, file), 0);
    EXPECT_EQ(GetPrivateProfileInt(u"s", u"f", 9, file), 1);  // wraps to 32 bits
}

TEST_F(ProfileTest, StringsAreCutToTheBufferCapacity) {
    Write("[s]\nk=abcdefgh\n");
    EXPECT_EQ(GetPrivateProfileString(u"s", u"k", u"", 5, file), u"abcd");
    EXPECT_EQ(GetPrivateProfileString(u"s", u"k", u"", 1, file), u"");
}

TEST_F(ProfileTest, WriteCreatesTheFileAndReadsBack) {
    ASSERT_TRUE(WritePrivateProfileString(u"soft", u"DriveUrlW2V", u"/home/p/游戏", file));
    EXPECT_EQ(GetPrivateProfileString(u"soft", u"driveurlw2v", u"", 260, file), u"/home/p/游戏");
    EXPECT_EQ(Read(), "[soft]\nDriveUrlW2V=/home/p/游戏\n");
}

TEST_F(ProfileTest, WriteKeepsEveryOtherSectionKeyCommentAndBlankLine) {
    Write("; top comment\r\n[soft]\r\nid=1\r\n; inner\r\nversion=2\r\n\r\n[config]\r\nuuid=u\r\n");
    ASSERT_TRUE(WritePrivateProfileString(u"SOFT", u"ID", u"140", file));
    ASSERT_TRUE(WritePrivateProfileString(u"soft", u"showVersion", u"1.0.0.1", file));
    ASSERT_TRUE(WritePrivateProfileString(u"extra", u"k", u"v", file));
    EXPECT_EQ(Read(),
              "; top comment\r\n[soft]\r\nID=140\r\n; inner\r\nversion=2\r\nshowVersion=1.0.0.1\r\n"
              "\r\n[config]\r\nuuid=u\r\n[extra]\r\nk=v\r\n");
}

TEST_F(ProfileTest, WriteKeepsTheByteOrderMarkSoASecondMarkStaysText) {
    // Without the first mark, the second would be taken for it on the next read and the line
    // behind it would become the [soft] section, with its old version.
    Write("\xEF\xBB\xBF\xEF\xBB\xBF[soft]\nversion=5\n");
    EXPECT_EQ(GetPrivateProfileInt(u"soft", u"version", 0, file), 0);
    ASSERT_TRUE(WritePrivateProfileString(u"soft", u"version", u"102", file));
    EXPECT_EQ(GetPrivateProfileInt(u"soft", u"version", 0, file), 102);
    EXPECT_EQ(Read(), "\xEF\xBB\xBF\xEF\xBB\xBF[soft]\nversion=5\n[soft]\nversion=102\n");
}

TEST_F(ProfileTest, ValuesThatWouldBreakTheFileAreRefused) {
    Write("[soft]\nid=1\n");
    EXPECT_FALSE(WritePrivateProfileString(u"soft", u"id", u"2\n[config]\nuuid=x", file));
    EXPECT_FALSE(WritePrivateProfileString(u"so]ft", u"id", u"2", file));
    EXPECT_FALSE(WritePrivateProfileString(u"soft", u"i=d", u"2", file));
    EXPECT_EQ(Read(), "[soft]\nid=1\n");
}

TEST_F(ProfileTest, WriteIntoAFolderThatDoesNotExistFails) {
    EXPECT_FALSE(WritePrivateProfileString(u"s", u"k", u"v", dir.Wide("missing/settings.ini")));
}

}  // namespace
