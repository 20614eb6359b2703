#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/RemoteChildProcess.h"
#include "tests/support/Poll.h"
#include "tests/support/TempDir.h"

namespace {

using platform::RemoteChildFields;
using platform::RemoteChildRequest;

TEST(RemoteChildRequest, FieldsComeBackAsTheyWentAndNothingCanBreakTheLine) {
    const std::vector<std::string> args = {"kavrin-server", "--data", "/srv/游戏 data", ""};
    std::string line = RemoteChildRequest("/opt/kavrin-server", args);
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\n');
    line.pop_back();
    std::vector<std::string> expected = {"/opt/kavrin-server"};
    expected.insert(expected.end(), args.begin(), args.end());
    EXPECT_EQ(RemoteChildFields(line), expected);
    EXPECT_EQ(RemoteChildRequest("", {"x"}), "");
    EXPECT_EQ(RemoteChildRequest("/bin/sh", {"sh", "a\tb"}), "");
    EXPECT_EQ(RemoteChildRequest("/bin/sh", {"sh", "a\nb"}), "");
    EXPECT_EQ(RemoteChildRequest("/bin/s\th", {"sh"}), "");
}

// The broker of the Windows test runs, on this side: it starts only its one program, relays
// its lines and ends it when the connection closes.
class BrokerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        broker_ = platform::StartChildProcess(
            KAVRIN_SERVER_BROKER, {KAVRIN_SERVER_BROKER, "/bin/sh", (dir_ / "port").string(),
                                   (dir_ / "prefix").string()});
        ASSERT_NE(broker_, nullptr);
        ASSERT_TRUE(PollUntil([&] {
            std::ifstream(dir_ / "port") >> port_;
            return port_ > 0;
        })) << "the broker wrote no port";
    }
    TempDir dir_;
    std::unique_ptr<platform::ChildProcess> broker_;
    int port_ = 0;
};

TEST_F(BrokerTest, ItRelaysTheLinesAndEndsTheProgramWhenTheConnectionCloses) {
    const auto marker = dir_ / "still-running";
    auto child = platform::StartRemoteChildProcess(
        port_, "/bin/sh",
        {"sh", "-c",
         "echo first; echo second; while :; do touch '" + marker.string() + "'; sleep 0.05; done"});
    ASSERT_NE(child, nullptr);
    std::string line;
    ASSERT_TRUE(child->ReadLine(line, 10000));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(child->ReadLine(line, 10000));
    EXPECT_EQ(line, "second");
    EXPECT_EQ(child->History(), (std::vector<std::string>{"first", "second"}));
    child->Terminate();
    // Once ended the program touches its marker no more.
    ASSERT_TRUE(PollUntil([&] {
        std::filesystem::remove(marker);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return !std::filesystem::exists(marker);
    }));
}

TEST_F(BrokerTest, WindowsDrivePathsReachTheProgramAsTheirPlaceInTheWinePrefix) {
    auto child = platform::StartRemoteChildProcess(
        port_, "/bin/sh",
        {"sh", "-c", "for a; do echo \"$a\"; done", "sh", "C:\\users\\me\\Temp\\游戏", "z:\\srv",
         "C:", "--data", "/already/linux", "C:/x"});
    ASSERT_NE(child, nullptr);
    const std::string prefix = (dir_ / "prefix").string();
    for (const std::string& expected :
         {prefix + "/dosdevices/c:/users/me/Temp/游戏", prefix + "/dosdevices/z:/srv",
          std::string("C:"), std::string("--data"), std::string("/already/linux"),
          std::string("C:/x")}) {
        std::string line;
        ASSERT_TRUE(child->ReadLine(line, 10000)) << expected;
        EXPECT_EQ(line, expected);
    }
}

TEST_F(BrokerTest, AnyOtherProgramIsRefusedInWords) {
    auto child = platform::StartRemoteChildProcess(port_, "/bin/rm", {"rm", "-rf", "/tmp/x"});
    ASSERT_NE(child, nullptr);
    std::string line;
    ASSERT_TRUE(child->ReadLine(line, 10000));
    EXPECT_EQ(line, "kavrin-server-broker: only /bin/sh is started here");
    EXPECT_FALSE(child->ReadLine(line, 2000));
}

}  // namespace
