// A window's notification queue as its sinks and senders use it: sinks that leave while a
// notification goes round, notifications queued while the queue is being delivered, and senders
// that go away before their turn.
#include <gtest/gtest.h>

#include <functional>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ContainerUI.h"

using namespace uikit;

namespace {

// A sink that runs an action of the test each time it hears something.
class ActingSink : public INotifyUI {
  public:
    explicit ActingSink(std::function<void(NotifyRecordUI&)> act) : act_(std::move(act)) {}
    void Notify(NotifyRecordUI& msg) override { act_(msg); }

  private:
    std::function<void(NotifyRecordUI&)> act_;
};

struct NotifyQueue : ::testing::Test {
    TestWindow window;
    CContainerUI* root = nullptr;
    void SetUp() override {
        root = static_cast<CContainerUI*>(
            window.Build(u"<Window><Container name=\"root\"><Control name=\"a\"/>"
                         u"<Control name=\"b\"/></Container></Window>"));
        ASSERT_NE(root, nullptr);
        window.log = NotifyLog{};  // past "windowinit"
    }
    CWindowManagerUI& M() { return window.Manager(); }
};

TEST_F(NotifyQueue, ASinkThatLeavesFromItsOwnCallDoesNotMakeTheNextOneMissIt) {
    int selfCalls = 0;
    ActingSink* selfPtr = nullptr;
    ActingSink self([&](NotifyRecordUI&) {
        ++selfCalls;
        M().RemoveNotifier(selfPtr);
    });
    selfPtr = &self;
    NotifyLog after;
    M().AddNotifier(&self);
    M().AddNotifier(&after);
    M().SendNotify(window.Find(u"a"), u"click");
    M().SendNotify(window.Find(u"b"), u"click");
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(after.Of(u"click"), (std::vector<std::u16string>{u"click:a", u"click:b"}));
    M().RemoveNotifier(&after);
}

TEST_F(NotifyQueue, SinksRemovedByAnotherMissNothingTheyWereDueAndHearNothingLater) {
    int leaverCalls = 0;
    ActingSink leaver([&](NotifyRecordUI&) { ++leaverCalls; });
    ActingSink remover([&](NotifyRecordUI&) {
        M().RemoveNotifier(&window.log);  // one that has already heard it
        M().RemoveNotifier(&leaver);      // one that has not
    });
    NotifyLog after;
    M().AddNotifier(&remover);
    M().AddNotifier(&leaver);
    M().AddNotifier(&after);
    M().SendNotify(window.Find(u"a"), u"click");
    M().SendNotify(window.Find(u"b"), u"click");
    EXPECT_EQ(window.log.Of(u"click"), std::vector<std::u16string>{u"click:a"});
    EXPECT_EQ(leaverCalls, 0);
    EXPECT_EQ(after.Of(u"click"), (std::vector<std::u16string>{u"click:a", u"click:b"}));
    M().RemoveNotifier(&remover);
    M().RemoveNotifier(&after);
}

TEST_F(NotifyQueue, WhatIsQueuedDuringDeliveryIsDeliveredBeforeTheDelayedDeletions) {
    CControlUI* a = window.Find(u"a");
    CControlUI* b = window.Find(u"b");
    bool bAliveAtItsTurn = false;
    ActingSink chain([&](NotifyRecordUI& msg) {
        if (msg.type == u"first") {
            M().SendNotify(b, u"second", 0, 0, true);
        } else if (msg.type == u"second") {
            bAliveAtItsTurn = window.Find(u"b") == b;
        }
    });
    M().AddNotifier(&chain);
    M().SendNotify(a, u"first", 0, 0, true);
    root->Remove(b);  // deleted later: it is the sender of what "first" leads to
    ASSERT_EQ(M().DelayedCleanupCount(), 1u);
    M().DeliverAsyncNotifications();
    EXPECT_EQ(window.log.lines, (std::vector<std::u16string>{u"first:a", u"second:b"}));
    EXPECT_TRUE(bAliveAtItsTurn);
    EXPECT_EQ(M().PendingNotifyCount(), 0u);
    EXPECT_EQ(M().DelayedCleanupCount(), 0u);
    EXPECT_EQ(window.Find(u"b"), nullptr);
    M().RemoveNotifier(&chain);
}

TEST_F(NotifyQueue, ASenderDeletedWhileTheQueueIsDeliveredLosesItsLaterRecords) {
    CControlUI* a = window.Find(u"a");
    CControlUI* b = window.Find(u"b");
    root->SetDelayedDestroy(false);
    ActingSink deleter([&](NotifyRecordUI& msg) {
        if (msg.sender == a) {
            root->Remove(b);
        }
    });
    M().AddNotifier(&deleter);
    M().SendNotify(a, u"scroll", 0, 0, true);
    M().SendNotify(b, u"scroll", 0, 0, true);
    M().SendNotify(a, u"other", 0, 0, true);
    M().DeliverAsyncNotifications();
    // The sanitizer build would also catch a record that reached the deleted sender.
    EXPECT_EQ(window.log.lines, (std::vector<std::u16string>{u"scroll:a", u"other:a"}));
    M().RemoveNotifier(&deleter);
}

}  // namespace
