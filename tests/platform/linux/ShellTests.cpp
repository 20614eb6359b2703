#include <gtest/gtest.h>

#include <atomic>
#include <random>

#include "platform/ProgramStart.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"
#include "tests/support/ScopedEnv.h"
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
    // Listening names are the user's across the whole machine: a name space of its own keeps
    // each case apart from those running beside it, in this test run or another, and from a
    // Kavrin the same user runs, so the case can use the program's own names.
    const ScopedEnv nameSpace_{
        "KAVRIN_INSTANCE_NAMESPACE",
        "test" + std::to_string(std::random_device{}()) + std::to_string(std::random_device{}())};
    const std::string className_ = "_SoftMainWnd_";
    const std::string title_ = "Kavrin";
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
    EXPECT_EQ(FindRunningInstance(className_, title_ + "x"), nullptr);
    // The listener serves its peers in turn, so once the post is answered the lookup's
    // connection has been served too: a lookup that told would show as a second message.
    EXPECT_TRUE(found->Post(kActivate));
    EXPECT_EQ(received_.load(), 1) << "finding is not telling";
    EXPECT_EQ(last_.load(), kActivate);
}

TEST_F(SingleInstance, APostLongAfterTheLookupStillReachesTheInstance) {
    auto listener = ListenForLaterInstances(className_, title_, kWindow, kActivate);
    ASSERT_NE(listener, nullptr);
    auto found = FindRunningInstance(className_, title_);
    ASSERT_NE(found, nullptr);
    // Other lookups and hand-overs come and go while the first finder waits, longer than the
    // listener gives a silent peer: the finder holds nothing that could time out meanwhile.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(NotifyRunningInstance(className_, title_, kActivate));
    }
    EXPECT_TRUE(found->Post(kActivate));
    EXPECT_EQ(received_.load(), 4);

    listener.reset();
    EXPECT_FALSE(found->Post(kActivate)) << "the instance is gone";
    EXPECT_EQ(received_.load(), 4);
}

TEST_F(SingleInstance, EachNameSpaceHasItsOwnInstance) {
    auto listener = ListenForLaterInstances(className_, title_, kWindow, kActivate);
    ASSERT_NE(listener, nullptr);
    {
        const ScopedEnv other("KAVRIN_INSTANCE_NAMESPACE", "another-space");
        EXPECT_EQ(FindRunningInstance(className_, title_), nullptr);
    }
    EXPECT_NE(FindRunningInstance(className_, title_), nullptr);
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
