#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TextConvert.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

class Win32ProfileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::u16string file = dir.Wide("kavrin.ini");
    std::string Bytes() { return ReadWholeFile(dir / "kavrin.ini"); }
    void Store(const std::string& bytes) {
        std::ofstream(dir / "kavrin.ini", std::ios::binary) << bytes;
    }
};

TEST_F(Win32ProfileTest, ChineseTextSurvivesAWriteIntoANewFile) {
    ASSERT_TRUE(
        platform::WritePrivateProfileString(u"soft", u"DriveUrlW2V", u"D:\\游戏\\下载", file));
    EXPECT_EQ(platform::GetPrivateProfileString(u"SOFT", u"driveurlw2v", u"", 260, file),
              u"D:\\游戏\\下载");
    // Kept as UTF-16 with its mark, which the system's functions read and write unchanged.
    EXPECT_TRUE(Bytes().starts_with("\xFF\xFE"));
}

TEST_F(Win32ProfileTest, AUtf8FileIsReadAndKeepsItsTextWhenWritten) {
    Store("; 设置\r\n[soft]\r\nname=游戏\r\nid=0x1F\r\n");
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"", 260, file), u"游戏");
    EXPECT_EQ(platform::GetPrivateProfileInt(u"soft", u"id", -1, file), 31);
    ASSERT_TRUE(platform::WritePrivateProfileString(u"soft", u"version", u"1.2", file));
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"", 260, file), u"游戏");
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"version", u"", 260, file), u"1.2");
    const std::string bytes = Bytes();
    const std::u16string text(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                              (bytes.size() - 2) / 2);
    EXPECT_NE(text.find(u"; 设置"), std::u16string::npos);
}

TEST_F(Win32ProfileTest, MissingKeysGiveTheDefaultsAndReadsCreateNothing) {
    EXPECT_EQ(platform::GetPrivateProfileInt(u"soft", u"id", 42, file), 42);
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"id", u"none", 260, file), u"none");
    EXPECT_FALSE(std::filesystem::exists(dir / "kavrin.ini"));
    // A key whose value equals the default is still a key that exists.
    Store("[soft]\nid=\nname=none\n");
    EXPECT_EQ(platform::GetPrivateProfileInt(u"soft", u"id", 42, file), 0);
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"x", 260, file), u"none");
}

TEST_F(Win32ProfileTest, ValuesAreCutToTheCapacityAndLineBreaksAreRefused) {
    Store("[soft]\nname=abcdef\n");
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"", 4, file), u"abc");
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"", 0, file), u"");
    EXPECT_FALSE(platform::WritePrivateProfileString(u"soft", u"name", u"a\r\n[evil]", file));
    EXPECT_FALSE(platform::WritePrivateProfileString(u"soft", u"a=b", u"1", file));
    EXPECT_EQ(platform::GetPrivateProfileString(u"soft", u"name", u"", 260, file), u"abcdef");
}

TEST_F(Win32ProfileTest, ABareNameMeansTheCurrentFolderNotTheSystemFolder) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool written = platform::WritePrivateProfileString(u"soft", u"id", u"7", u"bare.ini");
    std::filesystem::current_path(before);
    ASSERT_TRUE(written);
    EXPECT_TRUE(std::filesystem::exists(dir / "bare.ini"));
}

}  // namespace
