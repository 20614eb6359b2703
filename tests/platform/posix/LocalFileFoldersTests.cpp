#include <gtest/gtest.h>

#include "platform/LocalFileFolders.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

TEST(LocalFileFolders, AWritableProgramFolderKeepsEverythingBesideTheProgram) {
    const LocalFileFolders folders =
        ChooseLocalFileFolders("/home/p/games/kavrin/", true, {"/home/p", "", ""});
    EXPECT_TRUE(folders.besideProgram);
    EXPECT_EQ(folders.settings, "/home/p/games/kavrin/");
    EXPECT_EQ(folders.data, "/home/p/games/kavrin/");
}

TEST(LocalFileFolders, ASystemWideInstallUsesTheUsersXdgFolders) {
    const LocalFileFolders defaults =
        ChooseLocalFileFolders("/opt/kavrin/", false, {"/home/p", "", ""});
    EXPECT_FALSE(defaults.besideProgram);
    EXPECT_EQ(defaults.settings, "/home/p/.config/kavrin/");
    EXPECT_EQ(defaults.data, "/home/p/.local/share/kavrin/");

    const LocalFileFolders chosen =
        ChooseLocalFileFolders("/opt/kavrin/", false, {"/home/p/", "/cfg", "/var/d/"});
    EXPECT_EQ(chosen.settings, "/cfg/kavrin/");
    EXPECT_EQ(chosen.data, "/var/d/kavrin/");

    // Relative values are not XDG folders; the defaults stand.
    const LocalFileFolders relative =
        ChooseLocalFileFolders("/opt/kavrin/", false, {"/home/p", "cfg", "./data"});
    EXPECT_EQ(relative.settings, "/home/p/.config/kavrin/");
    EXPECT_EQ(relative.data, "/home/p/.local/share/kavrin/");

    // Without a usable home there is nowhere else to go.
    for (const char* home : {"", "relative/home"}) {
        EXPECT_TRUE(ChooseLocalFileFolders("/opt/kavrin/", false, {home, "", ""}).besideProgram)
            << home;
    }
}

TEST(LocalFileFolders, TheProcessDecisionReadsTheFolderAndTheEnvironment) {
    TempDir home;
    const ScopedEnv homeVariable("HOME", home.path().string());
    const ScopedEnv config("XDG_CONFIG_HOME", (home / "cfg").string());
    const ScopedEnv data("XDG_DATA_HOME", "");
    const std::string programDir = (home / "unpacked").string() + "/";
    std::filesystem::create_directories(programDir);
    EXPECT_TRUE(LocalFileFoldersOf(programDir).besideProgram);

    // The kernel's settings tree takes no files whoever runs the test, root included.
    const LocalFileFolders installed = LocalFileFoldersOf("/proc/sys/");
    EXPECT_FALSE(installed.besideProgram);
    EXPECT_EQ(installed.settings, (home / "cfg" / "kavrin").string() + "/");
    EXPECT_EQ(installed.data, (home / ".local/share/kavrin").string() + "/");
}

unsigned ModeOf(const std::filesystem::path& path) {
    return static_cast<unsigned>(std::filesystem::status(path).permissions());
}

TEST(LocalFileFolders, FoldersAreMadeForTheUserAloneAndExistingOnesStayAsTheyAre) {
    TempDir home;
    std::filesystem::permissions(home.path(), std::filesystem::perms(0755));
    const std::filesystem::path leaf = home / ".local/share/kavrin";
    ASSERT_TRUE(MakePrivateFolders(leaf.string() + "/"));
    EXPECT_EQ(ModeOf(home / ".local"), 0700u);
    EXPECT_EQ(ModeOf(leaf), 0700u);
    EXPECT_EQ(ModeOf(home.path()), 0755u);
    EXPECT_TRUE(MakePrivateFolders(leaf.string())) << "a second start finds it there";

    WriteWholeFile(home / "file", "x");
    EXPECT_FALSE(MakePrivateFolders((home / "file").string()));
    EXPECT_FALSE(MakePrivateFolders((home / "file" / "below").string()));
    EXPECT_FALSE(MakePrivateFolders("relative/folder"));
}

}  // namespace
