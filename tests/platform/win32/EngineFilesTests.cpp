#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/engine/Files.h"
#include "tests/support/TempDir.h"

namespace {

using namespace dlengine::os;

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TEST(Win32EngineFilesTest, WritersAtTheirOwnOffsetsFillOneFile) {
    TempDir dir;
    const std::string path = Utf8(dir.path() / L"游戏.part");
    PartFile file;
    ASSERT_EQ(file.Open(path), 0);
    constexpr int kWriters = 4;
    constexpr size_t kBlock = 64 * 1024;
    std::vector<std::thread> writers;
    for (int i = 0; i < kWriters; ++i) {
        writers.emplace_back([&file, i] {
            const std::string block(kBlock, static_cast<char>('a' + i));
            EXPECT_EQ(file.Write(static_cast<int64_t>(i) * kBlock, block.data(), block.size()), 0);
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(file.Sync(), 0);
    EXPECT_EQ(file.Size(), static_cast<int64_t>(kWriters * kBlock));
    EXPECT_EQ(file.Truncate(10), 0);
    EXPECT_EQ(file.Size(), 10);
    file.Close();
    std::string text;
    ASSERT_TRUE(ReadSmallFile(path, text));
    EXPECT_EQ(text, std::string(10, 'a'));
    // Opening again keeps the content.
    ASSERT_EQ(file.Open(path), 0);
    EXPECT_EQ(file.Size(), 10);
}

TEST(Win32EngineFilesTest, RenamesAndReplacesOverExistingFiles) {
    TempDir dir;
    const std::string state = Utf8(dir / "task.state");
    ASSERT_EQ(ReplaceSmallFile(state, "one"), 0);
    ASSERT_EQ(ReplaceSmallFile(state, "two"), 0);
    std::string text;
    ASSERT_TRUE(ReadSmallFile(state, text));
    EXPECT_EQ(text, "two");
    EXPECT_FALSE(std::filesystem::exists(dir / "task.state.new"));
    const std::string other = Utf8(dir / "other");
    ASSERT_EQ(ReplaceSmallFile(other, "three"), 0);
    EXPECT_EQ(RenameFile(other, state), 0);
    ASSERT_TRUE(ReadSmallFile(state, text));
    EXPECT_EQ(text, "three");
    EXPECT_EQ(RenameFile(other, state), ENOENT);
    RemoveFile(state);
    EXPECT_FALSE(ReadSmallFile(state, text));
}

TEST(Win32EngineFilesTest, TellsFoldersAndFreeSpace) {
    TempDir dir;
    EXPECT_TRUE(IsDirectory(Utf8(dir.path())));
    EXPECT_FALSE(IsDirectory(Utf8(dir / "missing")));
    const auto free = FreeBytes(Utf8(dir.path()));
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0);
    EXPECT_FALSE(FreeBytes(Utf8(dir / "missing" / "deeper")).has_value());
    // The free space is asked of a download's own folder, whichever slash its path has.
    EXPECT_EQ(FolderOf("C:\\games\\dl/game.zip"), "C:\\games\\dl/");
    EXPECT_EQ(FolderOf("D:\\game.zip"), "D:\\");
    EXPECT_EQ(FolderOf("game.zip"), "");
    EXPECT_TRUE(IsDiskFullError(ENOSPC));
    EXPECT_FALSE(IsDiskFullError(EACCES));
    PartFile file;
    EXPECT_EQ(file.Open(Utf8(dir / "missing" / "x.part")), ENOENT);
}

TEST(Win32EngineFilesTest, TheBootIdIsTheSameForEveryReadInOneBoot) {
    const std::string first = BootId();
    ASSERT_FALSE(first.empty());
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(BootId(), first);
    }
}

}  // namespace
