#include <gtest/gtest.h>

#include <string>

#include "common/TextConvert.h"
#include "download/DownloadFolder.h"
#include "platform/UserFolders.h"
#include "tests/support/EnvironmentVariable.h"

namespace {

using DownEngine::DownloadFolderInForce;
using DownEngine::SettleDownloadFolder;

#ifdef _WIN32
// The system's known folder, which no variable of the environment moves.
const std::u16string kUserDownloads = AnsiToUtf16(platform::DownloadsFolder());
#else
// A user without a desktop setting for the Downloads folder, whose home is a known place. The
// desktop library reads these once, so they are set before any test runs.
class NoDesktopSetting : public ::testing::Environment {
  public:
    void SetUp() override {
        SetEnvVar("HOME", "/home/player");
        SetEnvVar("XDG_CONFIG_HOME", "/nonexistent/kavrin-test-config");
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new NoDesktopSetting);

const std::u16string kUserDownloads = u"/home/player/Downloads";
#endif

TEST(DownloadFolder, TheChosenFolderWinsAndIsUsedAsItIs) {
    EXPECT_EQ(DownloadFolderInForce(u"/srv/游戏 下载"), u"/srv/游戏 下载");
    // The longest folder the engine's field holds is still taken.
    const std::u16string longest = u"/" + std::u16string(258, u'a');
    EXPECT_EQ(DownloadFolderInForce(longest), longest);
}

TEST(DownloadFolder, NoChoiceOrAnUnusableOneFallsBackToTheUsersDownloads) {
    EXPECT_EQ(DownloadFolderInForce(u""), kUserDownloads);
    // Only a hand-edited settings file holds a folder this long; it would be cut short.
    EXPECT_EQ(DownloadFolderInForce(u"/" + std::u16string(259, u'a')), kUserDownloads);
}

TEST(DownloadFolder, SettlingWritesOnlyTheFolderInForce) {
    AppContext context;
    SettleDownloadFolder(context);
    EXPECT_EQ(context.downloadFolder, kUserDownloads);
    EXPECT_TRUE(context.configuredDownloadFolder.empty());

    context.configuredDownloadFolder = u"/data/games";
    SettleDownloadFolder(context);
    EXPECT_EQ(context.downloadFolder, u"/data/games");
}

}  // namespace
