#include <gtest/gtest.h>

#include "context/ClientId.h"
#include "context/LocalFiles.h"
#include "context/Settings.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

// A system-wide install in program/, its player's folders under home/.
class SystemWideInstallTest : public ::testing::Test {
  protected:
    SystemWideInstallTest() {
        std::filesystem::create_directories(program.path() / "kavrin");
        ComposeProgramPaths(context, program.Wide("kavrin/kavrin"));
        folders.settings = (home / ".config/kavrin").string() + "/";
        folders.data = (home / ".local/share/kavrin").string() + "/";
        folders.besideProgram = false;
        PlaceLocalFiles(context, folders);
    }

    std::filesystem::path Shipped() const { return program / "kavrin" / "kavrin.ini"; }
    std::filesystem::path Players() const { return folders.settings + "kavrin.ini"; }

    TempDir program;
    TempDir home;
    platform::LocalFileFolders folders;
    AppContext context;
};

TEST_F(SystemWideInstallTest, TheFirstStartBeginsFromTheShippedSettingsAndLeavesThemAlone) {
    const std::string shipped = "[soft]\nid=152\nversion=101\n";
    WriteWholeFile(Shipped(), shipped);
    ASSERT_TRUE(PrepareLocalFiles(context));
    EXPECT_TRUE(std::filesystem::is_directory(folders.data));
    ReadSettings(context);

    EXPECT_EQ(context.softId, 152);
    EXPECT_EQ(ReadWholeFile(Shipped()), shipped) << "the install's file is never written";
    EXPECT_EQ(platform::GetPrivateProfileString(u"config", u"uuid", u"", 40,
                                                AnsiToUtf16(Players().string())),
              AnsiToUtf16(context.clientId));
    EXPECT_EQ(context.recordPath, AnsiToUtf16(folders.data + "gameList.dat"));
    EXPECT_EQ(context.settingsDir, AnsiToUtf16(folders.settings));
}

TEST_F(SystemWideInstallTest, ThePlayersOwnSettingsWinOverTheShippedOnes) {
    WriteWholeFile(Shipped(), "[soft]\nid=152\n");
    std::filesystem::create_directories(folders.settings);
    const std::string id = GenerateClientId();
    WriteWholeFile(Players(), "[soft]\nid=163\n[config]\nuuid=" + id + "\n");
    ASSERT_TRUE(PrepareLocalFiles(context));
    ReadSettings(context);
    EXPECT_EQ(context.softId, 163);
    EXPECT_EQ(context.clientId, id);
}

TEST_F(SystemWideInstallTest, WithoutShippedSettingsTheDefaultsAreWrittenForThePlayer) {
    ASSERT_TRUE(PrepareLocalFiles(context));
    ReadSettings(context);
    EXPECT_EQ(context.softId, 140);
    EXPECT_TRUE(std::filesystem::exists(Players()));
    EXPECT_FALSE(std::filesystem::exists(Shipped()));
}

TEST(LocalFiles, FoldersTooLongForTheirFilesAreRefused) {
    AppContext context;
    ComposeProgramPaths(context, u"/opt/kavrin/kavrin");
    PlaceLocalFiles(context, {"/" + std::string(250, 'c') + "/", "/d/", false});
    EXPECT_FALSE(context.pathsFit);
}

}  // namespace
