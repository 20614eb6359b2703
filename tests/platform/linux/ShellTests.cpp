#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "platform/ProgramStart.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "tests/support/TempDir.h"

using namespace platform;

namespace {

constexpr uint32_t kActivate = 1124;

class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterMessageSink(kWindow, [this](const PostedMessage& m) {
            last_ = m.message;
            ++received_;
        });
    }
    void TearDown() override { UnregisterMessageSink(kWindow); }

    static constexpr WindowId kWindow = 0x5150;
    const std::string className_ = "_SoftMainWnd_";
    // Listening names are the user's across the whole machine: a name of its own keeps each
    // case apart from those running beside it, in this test run or another.
    const std::string title_ = "KavrinTest" + std::to_string(std::random_device{}());
    std::atomic<int> received_{0};
    std::atomic<uint32_t> last_{0};
};

TEST_F(SingleInstance, ASecondStartHandsOverOnlyTheActivationMessage) {
    EXPECT_FALSE(NotifyRunningInstance(className_, title_, kActivate)) << "nobody listens yet";
    auto listener = ListenForLaterInstances(className_, title_, kWindow, kActivate);
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(ListenForLaterInstances(className_, title_, kWindow, kActivate), nullptr)
        << "the name is taken";

    EXPECT_TRUE(NotifyRunningInstance(className_, title_, kActivate));
    EXPECT_EQ(received_.load(), 1);
    EXPECT_EQ(last_.load(), kActivate);

    EXPECT_FALSE(NotifyRunningInstance(className_, title_, 1125));
    EXPECT_FALSE(NotifyRunningInstance(className_, title_ + "x", kActivate));
    EXPECT_EQ(received_.load(), 1);

    listener.reset();
    EXPECT_FALSE(NotifyRunningInstance(className_, title_, kActivate));
    EXPECT_NE(ListenForLaterInstances(className_, title_, kWindow, kActivate), nullptr)
        << "the name is free again";
}

TEST_F(SingleInstance, TheLookupFindsTheInstanceAndOnlyThePostTellsIt) {
    EXPECT_EQ(FindRunningInstance(className_, title_), nullptr);
    auto listener = ListenForLaterInstances(className_, title_, kWindow, kActivate);
    auto found = FindRunningInstance(className_, title_);
    ASSERT_NE(found, nullptr);
    // A hand-over would arrive on the listener's own thread: give a stray one the time to come.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(received_.load(), 0) << "finding is not telling";
    EXPECT_TRUE(found->Post(kActivate));
    EXPECT_EQ(received_.load(), 1);
}

TEST(Shell, OnlyProgramsBesideTheExecutableAndOnlyWebAddressesAreStarted) {
    EXPECT_FALSE(StartProgramBesideExecutable("../bin/sh", {}));
    EXPECT_FALSE(StartProgramBesideExecutable("/bin/sh", {}));
    EXPECT_FALSE(StartProgramBesideExecutable("", {}));
    EXPECT_FALSE(StartProgramBesideExecutable("NoSuchProgramHere", {"x"}));
    // A path of its own must be absolute: a relative one depends on the current folder.
    EXPECT_FALSE(StartProgram("sh", {}));
    EXPECT_FALSE(StartProgram("/nonexistent/AutoUpdater", {"kavrin.ini"}));
    EXPECT_FALSE(OpenWebAddress("file:///etc/passwd"));
    EXPECT_FALSE(OpenWebAddress("javascript:alert(1)"));
}

}  // namespace
