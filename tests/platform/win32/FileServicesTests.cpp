#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/FileReplace.h"
#include "platform/PrivateFile.h"
#include "platform/UserFolders.h"
#include "platform/win32/testing/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {

TEST(Win32FileReplaceTest, ReplacesAWholeFileAndLeavesNoTemporary) {
    TempDir dir;
    std::ofstream(dir / "record.dat", std::ios::binary) << "old content";
    ASSERT_TRUE(platform::ReplaceFileContent(dir.Wide("record.dat"), "new"));
    EXPECT_EQ(ReadWholeFile(dir / "record.dat"), "new");
    EXPECT_FALSE(std::filesystem::exists(dir / "record.dat.tmp"));
}

TEST(Win32FileReplaceTest, AFileHeldOpenKeepsItsOldContentAndNoTemporaryIsLeft) {
    TempDir dir;
    std::ofstream(dir / "record.dat", std::ios::binary) << "old content";
    bool replaced = true;
    {
        const platform::testwin32::HeldFile held(dir / "record.dat");
        ASSERT_TRUE(held.IsHeld());
        replaced = platform::ReplaceFileContent(dir.Wide("record.dat"), "new");
    }
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ReadWholeFile(dir / "record.dat"), "old content");
    EXPECT_FALSE(std::filesystem::exists(dir / "record.dat.tmp"));
}

TEST(Win32FileReplaceTest, WritesUnderAChineseName) {
    TempDir dir;
    const std::u16string path = dir.Wide("") + u"游戏.dat";
    ASSERT_TRUE(platform::WriteFileToDisk(path, "bytes"));
    EXPECT_EQ(ReadWholeFile(std::filesystem::path(dir.path() / L"游戏.dat")), "bytes");
}

TEST(Win32PrivateFileTest, WritesAFreshFileWithTheBytesEachTime) {
    const std::string first = platform::WritePrivateFile("kavrin-test", "pem text");
    const std::string second = platform::WritePrivateFile("kavrin-test", "other");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    const std::filesystem::path firstPath(std::u8string(first.begin(), first.end()));
    const std::filesystem::path secondPath(std::u8string(second.begin(), second.end()));
    EXPECT_EQ(ReadWholeFile(firstPath), "pem text");
    EXPECT_EQ(ReadWholeFile(secondPath), "other");
    std::filesystem::remove(firstPath);
    std::filesystem::remove(secondPath);
}

TEST(Win32UserFoldersTest, TellsWhatAFolderCanTake) {
    TempDir dir;
    const std::string folder = dir.path().string();
    EXPECT_TRUE(platform::IsWritableFolder(folder));
    EXPECT_FALSE(platform::IsWritableFolder(folder + "\\missing"));
    std::ofstream(dir / "file.txt") << "x";
    EXPECT_FALSE(platform::IsWritableFolder((dir / "file.txt").string()));
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    uint64_t bytes = 0;
    EXPECT_TRUE(platform::FreeSpace(folder, bytes));
    EXPECT_GT(bytes, 0u);
    EXPECT_FALSE(platform::FreeSpace(folder + "\\missing\\deeper", bytes));
}

TEST(Win32UserFoldersTest, DownloadsIsAnAbsoluteFolder) {
    const std::string downloads = platform::DownloadsFolder();
    ASSERT_GE(downloads.size(), 3u);
    EXPECT_EQ(downloads[1], ':');
    EXPECT_NE(downloads.find("Downloads"), std::string::npos);
}

}  // namespace
