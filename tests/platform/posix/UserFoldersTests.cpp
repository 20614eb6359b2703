#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/UserFolders.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

TEST(UserFolders, FreeSpaceComesFromTheVolume) {
    TempDir dir;
    uint64_t bytes = 0;
    ASSERT_TRUE(FreeSpace(dir.path().string(), bytes));
    EXPECT_GT(bytes, 0u);
    EXPECT_FALSE(FreeSpace((dir / "missing" / "deeper").string(), bytes));
}

// Whether a file can really be made there, as this user (who may override permissions).
bool CanMakeFileIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / "probe";
    const bool made = std::ofstream(probe).is_open();
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return made;
}

TEST(UserFolders, OnlyFoldersThatTakeNewFilesAreWritable) {
    TempDir dir;
    EXPECT_TRUE(IsWritableFolder(dir.path().string()));
    WriteWholeFile(dir / "file", "x");
    EXPECT_FALSE(IsWritableFolder((dir / "file").string())) << "not a folder";
    EXPECT_FALSE(IsWritableFolder((dir / "missing").string()));
    EXPECT_FALSE(IsWritableFolder(""));
    // The kernel's settings tree takes no files, whoever asks.
    EXPECT_FALSE(IsWritableFolder("/proc/sys"));

    const std::filesystem::path locked = dir / "只读";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(
        locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(IsWritableFolder(locked.string()), CanMakeFileIn(locked));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

TEST(UserFolders, TheUserDirsEntryIsReadAsTheDesktopWritesIt) {
    const std::string home = "/home/player";
    EXPECT_EQ(DownloadsFolderFromUserDirs("XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", home),
              "/home/player/Downloads");
    EXPECT_EQ(DownloadsFolderFromUserDirs("# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                          "  XDG_DOWNLOAD_DIR=\"/data/下载 \\\"x\\\"\"\n",
                                          home),
              "/data/下载 \"x\"");
    // The last line wins, as when the file is sourced by a shell.
    EXPECT_EQ(DownloadsFolderFromUserDirs(
                  "XDG_DOWNLOAD_DIR=\"$HOME/a\"\nXDG_DOWNLOAD_DIR=\"$HOME/b\"\n", home),
              "/home/player/b");
}

TEST(UserFolders, EntriesThatNameNoUsableFolderAreIgnored) {
    const std::string home = "/home/player";
    for (const char* text :
         {"", "XDG_DOWNLOAD_DIR=$HOME/unquoted\n", "XDG_DOWNLOAD_DIR=\"relative/dir\"\n",
          "XDG_DOWNLOAD_DIR=\"\"\n", "XDG_DOWNLOAD_DIR=\"$HOMEother\"\n",
          "XDG_DOWNLOAD_DIR=\"/open\n", "XDG_DOWNLOAD_DIRX=\"/x\"\n"}) {
        EXPECT_EQ(DownloadsFolderFromUserDirs(text, home), "") << text;
    }
}

class DownloadsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("HOME", home_.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_ / "config").c_str(), 1);
    }
    void WriteUserDirs(const std::string& text) {
        std::filesystem::create_directories(home_ / "config");
        std::ofstream(home_ / "config" / "user-dirs.dirs") << text;
    }
    TempDir home_;
};

// Without a desktop setting for the folder (no user-dirs file) it is the home's Downloads.
TEST_F(DownloadsFolderTest, WithoutADesktopSettingItIsTheHomesDownloads) {
    EXPECT_EQ(DownloadsFolder(), (home_ / "Downloads").string());
    // A setting that names the home folder itself means the desktop has no Downloads folder.
    WriteUserDirs("XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
    EXPECT_EQ(DownloadsFolder(), (home_ / "Downloads").string());
}

TEST_F(DownloadsFolderTest, TheDesktopSettingIsUsed) {
    WriteUserDirs("XDG_DOWNLOAD_DIR=\"$HOME/下载\"\n");
    EXPECT_EQ(DownloadsFolder(), (home_ / "下载").string());
}

}  // namespace
