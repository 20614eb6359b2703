// The control model and the window manager's bookkeeping: notifications, delayed deletion,
// timers, names, focus and pointer tracking.
#include <gtest/gtest.h>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/draw/Canvas.h"

using namespace uikit;

namespace {

// Counts its own deletion, so tests can see when a control really goes.
class Tracked : public CControlUI {
  public:
    explicit Tracked(int* deleted) : deleted_(deleted) {}
    ~Tracked() override { ++*deleted_; }

  private:
    int* deleted_;
};

struct Fixture : ::testing::Test {
    TestWindow window;
    CContainerUI* root = nullptr;
    void SetUp() override {
        root = static_cast<CContainerUI*>(
            window.Build(u"<Window><Container name=\"root\"><Control name=\"a\" width=\"10\"/>"
                         u"<Control name=\"b\"/></Container></Window>"));
        ASSERT_NE(root, nullptr);
        window.log = NotifyLog{};  // past "windowinit"
    }
    CWindowManagerUI& M() { return window.Manager(); }
};

using Notifications = Fixture;

TEST_F(Notifications, SynchronousOnesRunTheSenderDelegatesFirstThenEverySink) {
    CControlUI* a = window.Find(u"a");
    std::vector<std::u16string> order;
    a->OnNotify.push_back([&](NotifyRecordUI& m) {
        order.push_back(u"delegate:" + m.type);
        return true;
    });
    M().SendNotify(a, u"click", 1, 2);
    M().SendNotify(a, u"click", 3, 4);
    ASSERT_EQ(order.size(), 2u);
    ASSERT_EQ(window.log.Of(u"click").size(), 2u);
    EXPECT_EQ(window.log.records.back().wParam, 3u);
    EXPECT_EQ(window.log.records.back().sender, a);
}

TEST_F(Notifications, AQueuedOneUpdatesAPendingRecordOfTheSameSenderAndType) {
    CControlUI* a = window.Find(u"a");
    CControlUI* b = window.Find(u"b");
    int posted = 0;
    M().SetAsyncPoster([&] { ++posted; });
    M().SendNotify(a, u"scroll", 1, 0, true);
    M().SendNotify(a, u"scroll", 7, 0, true);
    M().SendNotify(b, u"scroll", 2, 0, true);
    M().SendNotify(a, u"other", 3, 0, true);
    M().SendNotify(a, u"scroll", 9, 0, true, true);  // repeats allowed: queued again
    EXPECT_TRUE(window.log.Of(u"scroll").empty());
    EXPECT_EQ(M().PendingNotifyCount(), 4u);
    EXPECT_EQ(posted, 4);
    M().DeliverAsyncNotifications();
    ASSERT_EQ(window.log.lines.size(), 4u);
    EXPECT_EQ(window.log.lines[0], u"scroll:a");
    EXPECT_EQ(window.log.records[0].wParam, 7u);
    EXPECT_EQ(window.log.lines[1], u"scroll:b");
    EXPECT_EQ(window.log.lines[2], u"other:a");
    EXPECT_EQ(window.log.records[3].wParam, 9u);
}

TEST_F(Notifications, WindowInitArrivesOnceAtTheFirstLayoutNotAtAttach) {
    TestWindow w;
    CMarkupBuilderUI builder;
    CControlUI* built =
        builder.Create(u"<Window><Control name=\"r\"/></Window>", {}, nullptr, &w.Manager());
    w.Manager().AttachDialog(built);
    EXPECT_TRUE(w.log.Of(u"windowinit").empty());
    Canvas canvas(50, 50);
    w.Manager().Paint(canvas);
    w.Manager().Paint(canvas);
    EXPECT_EQ(w.log.Of(u"windowinit"), std::vector<std::u16string>{u"windowinit:r"});
}

TEST_F(Notifications, ARemovedControlStaysValidUntilTheQueueIsDelivered) {
    int deleted = 0;
    auto* tracked = new Tracked(&deleted);
    tracked->SetName(u"t");
    root->Add(tracked);
    M().SendNotify(tracked, u"scroll", 0, 0, true);
    // Removed while its own notification is on the stack.
    tracked->OnNotify.push_back([&](NotifyRecordUI&) {
        root->Remove(tracked);
        return true;
    });
    M().SendNotify(tracked, u"click");
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(M().DelayedCleanupCount(), 1u);
    EXPECT_EQ(window.Find(u"t"), tracked);
    M().DeliverAsyncNotifications();
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(window.log.Of(u"scroll").size(), 1u);
    EXPECT_EQ(window.Find(u"t"), nullptr);
}

TEST_F(Notifications, ADeletedSenderTakesItsQueuedNotificationsAndTableEntriesWithIt) {
    int deleted = 0;
    auto* tracked = new Tracked(&deleted);
    tracked->SetName(u"t");
    root->SetDelayedDestroy(false);
    root->Add(tracked);
    M().SendNotify(tracked, u"scroll", 0, 0, true);
    M().SetTimer(tracked, 5, 100);
    M().OnMouseMove(Point{1, 1});
    tracked->SetFocus();
    root->Remove(tracked);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(M().PendingNotifyCount(), 0u);
    EXPECT_EQ(M().Timers().Count(), 0u);
    EXPECT_EQ(M().GetFocus(), nullptr);
    EXPECT_EQ(window.Find(u"t"), nullptr);
    M().DeliverAsyncNotifications();  // nothing left that points at it
    EXPECT_TRUE(window.log.Of(u"scroll").empty());
}

TEST_F(Notifications, RemovingWithoutAutoDestroyKeepsTheChild) {
    CControlUI* a = window.Find(u"a");
    root->SetAutoDestroy(false);
    EXPECT_TRUE(root->Remove(a));
    M().DeliverAsyncNotifications();
    EXPECT_EQ(root->GetCount(), 1);
    delete a;
    root->SetAutoDestroy(true);  // the remaining child goes with the window
}

TEST(WindowLifetime, AControlThatOutlivesItsWindowNoLongerPointsAtIt) {
    CControlUI* survivor = nullptr;
    {
        TestWindow w;
        w.Build(
            u"<Window><Container autodestroy=\"false\"><Button name=\"keep\"/>"
            u"</Container></Window>");
        survivor = w.Find(u"keep");
        w.Manager().SetTimer(survivor, 1, 10);
        w.Manager().OnMouseMove(Point{1, 1});
    }
    EXPECT_EQ(survivor->GetManager(), nullptr);
    delete survivor;  // the sanitizer build would catch a write to the dead window
}

using Timers = Fixture;

TEST_F(Timers, NativeIdsCountFrom4096Modulo255) {
    std::vector<std::unique_ptr<CControlUI>> owners;
    owners.push_back(std::make_unique<CControlUI>());
    CControlUI* c = owners.back().get();
    ASSERT_TRUE(M().SetTimer(c, 1, 10));
    EXPECT_EQ(M().Timers().Find(c, 1)->nativeId, 17);
    for (int id = 2; id <= 240; ++id) {
        ASSERT_TRUE(M().SetTimer(c, id, 10));
    }
    EXPECT_EQ(M().Timers().Find(c, 238)->nativeId, 254);
    EXPECT_EQ(M().Timers().Find(c, 239)->nativeId, 0);
    EXPECT_EQ(M().Timers().Find(c, 240)->nativeId, 1);
    M().KillTimers(c);
}

TEST_F(Timers, ARunningTimerCannotBeSetTwiceAKilledOneIsReArmedWithItsId) {
    CControlUI* a = window.Find(u"a");
    ASSERT_TRUE(M().SetTimer(a, 3, 100));
    const int native = M().Timers().Find(a, 3)->nativeId;
    EXPECT_FALSE(M().SetTimer(a, 3, 100));
    EXPECT_TRUE(M().KillTimer(a, 3));
    EXPECT_FALSE(M().FireTimer(native));
    ASSERT_TRUE(M().SetTimer(a, 3, 50));
    EXPECT_EQ(M().Timers().Find(a, 3)->nativeId, native);
    EXPECT_EQ(M().Timers().Find(a, 3)->periodMs, 50);
}

TEST_F(Timers, ATickReachesTheControlWhichReportsItWhenItDoesNotUseIt) {
    CControlUI* a = window.Find(u"a");
    ASSERT_TRUE(M().SetTimer(a, 7, 100));
    EXPECT_TRUE(M().FireTimer(M().Timers().Find(a, 7)->nativeId));
    ASSERT_EQ(window.log.Of(u"timer").size(), 1u);
    EXPECT_EQ(window.log.records.back().wParam, 7u);
    EXPECT_FALSE(M().FireTimer(200));
}

using ControlModel = Fixture;

TEST_F(ControlModel, TheFirstControlOfANameKeepsIt) {
    TestWindow w;
    w.Build(
        u"<Window><VerticalLayout><Control name=\"x\" width=\"1\"/>"
        u"<Control name=\"x\" width=\"2\"/></VerticalLayout></Window>");
    ASSERT_NE(w.Find(u"x"), nullptr);
    EXPECT_EQ(w.Find(u"x")->GetFixedWidth(), 1);
    w.Find(u"x")->SetName(u"y");
    EXPECT_EQ(w.Find(u"y")->GetFixedWidth(), 1);
    EXPECT_EQ(w.Find(u"x"), nullptr);  // the loser was never entered
}

TEST_F(ControlModel, NegativeSizesAreIgnoredAndMaximaNeverFallBelowMinima) {
    CControlUI* a = window.Find(u"a");
    a->SetFixedWidth(-5);
    a->SetFixedHeight(-1);
    EXPECT_EQ(a->GetFixedWidth(), 10);
    EXPECT_EQ(a->GetFixedHeight(), 0);
    a->SetMinWidth(50);
    a->SetMaxWidth(20);
    EXPECT_EQ(a->GetMaxWidth(), 50);
    EXPECT_EQ(a->GetMaxHeight(), 9999);
}

TEST_F(ControlModel, TooltipLineBreakMarkersAndCustomAttributes) {
    CControlUI* a = window.Find(u"a");
    a->SetToolTip(u"one<n>two<n>");
    EXPECT_EQ(a->GetToolTip(), u"one\r\ntwo\r\n");
    a->SetAttribute(u"bktrans", u"true");
    a->SetAttribute(u"Width", u"99");  // names are exact: this one is not "width"
    EXPECT_EQ(a->GetCustomAttribute(u"bktrans"), u"true");
    EXPECT_EQ(a->GetCustomAttribute(u"Width"), u"99");
    EXPECT_EQ(a->GetFixedWidth(), 10);
}

TEST_F(ControlModel, PositionsAreNormalisedAndFloatingOnesRememberWhereTheySit) {
    CControlUI* a = window.Find(u"a");
    a->SetPos(R(50, 60, 40, 30));
    EXPECT_EQ(a->GetPos(), R(50, 60, 50, 60));
    a->SetFloat(true);
    a->SetPos(R(20, 30, 45, 70));
    EXPECT_EQ(a->GetFixedXY().x, 20);
    EXPECT_EQ(a->GetFixedXY().y, 30);
    EXPECT_EQ(a->GetFixedWidth(), 25);
    EXPECT_EQ(a->GetFixedHeight(), 40);
}

TEST_F(ControlModel, InterfaceQueriesAnswerForTheBasesToo) {
    EXPECT_NE(root->GetInterface(u"IContainer"), nullptr);
    EXPECT_NE(root->GetInterface(u"Control"), nullptr);
    EXPECT_EQ(window.Find(u"a")->GetInterface(u"IContainer"), nullptr);
}

TEST_F(ControlModel, ChildrenCanBeReorderedInTheirList) {
    CControlUI* a = window.Find(u"a");
    CControlUI* b = window.Find(u"b");
    EXPECT_TRUE(root->SetItemIndex(b, 0));
    EXPECT_EQ(root->GetItemAt(0), b);
    EXPECT_FALSE(root->SetItemIndex(a, 2));
    EXPECT_TRUE(root->SetMultiItemIndex(b, 2, 0));
    EXPECT_FALSE(root->SetMultiItemIndex(b, 3, 0));
    EXPECT_EQ(root->GetItemIndex(a), 1);
    EXPECT_EQ(root->GetItemAt(5), nullptr);
}

using PointerAndFocus = Fixture;

TEST_F(PointerAndFocus, AContextMenuRequestIsReportedOnlyByControlsThatWantIt) {
    CControlUI* b = window.Find(u"b");
    M().OnContextMenu(Point{5, 5});
    EXPECT_TRUE(window.log.Of(u"menu").empty());
    b->SetAttribute(u"menu", u"true");
    M().OnContextMenu(Point{5, 5});
    EXPECT_EQ(window.log.Of(u"menu"), std::vector<std::u16string>{u"menu:b"});
}

TEST_F(PointerAndFocus, AContainerCanKeepThePointerFromItsChildren) {
    root->SetMouseChildEnabled(false);
    EXPECT_EQ(M().FindControl(Point{5, 5}), root);
    root->SetMouseChildEnabled(true);
    EXPECT_EQ(M().FindControl(Point{5, 5}), window.Find(u"b"));  // the topmost child
}

TEST_F(PointerAndFocus, MovesEnterAndLeaveAButtonDownCapturesAndFocuses) {
    TestWindow w;
    w.Build(
        u"<Window><HorizontalLayout><Control name=\"l\"/><Control name=\"r\"/>"
        u"</HorizontalLayout></Window>",
        Size{200, 100});
    std::vector<std::u16string> seen;
    for (const char16_t* name : {u"l", u"r"}) {
        w.Find(name)->OnEvent.push_back([&seen, name](EventRecordUI& e) {
            seen.push_back(std::u16string(name) + u":" +
                           std::u16string(1, char16_t(u'0' + e.type / 10)) +
                           std::u16string(1, char16_t(u'0' + e.type % 10)));
            return true;
        });
    }
    CWindowManagerUI& m = w.Manager();
    m.OnMouseMove(Point{10, 10});
    m.OnMouseMove(Point{150, 10});
    m.OnLButtonDown(Point{150, 10});
    m.OnMouseMove(Point{10, 10});  // captured: the move still goes to the pressed control
    m.OnLButtonUp(Point{10, 10});
    const std::vector<std::u16string> expected = {u"l:11", u"l:09", u"l:10", u"r:11",
                                                  u"r:09", u"r:21", u"r:13", u"r:10",
                                                  u"l:11", u"r:09", u"r:14"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(m.GetFocus(), w.Find(u"r"));
    EXPECT_EQ(w.log.Of(u"setfocus"), std::vector<std::u16string>{u"setfocus:r"});
}

TEST_F(PointerAndFocus, HiddenAndMouseDisabledControlsAreNotHit) {
    TestWindow w;
    w.Build(
        u"<Window><Container name=\"c\"><Control name=\"top\" mouse=\"false\"/>"
        u"</Container></Window>");
    EXPECT_EQ(w.Manager().FindControl(Point{5, 5}), w.Find(u"c"));
    w.Find(u"c")->SetVisible(false);
    EXPECT_EQ(w.Manager().FindControl(Point{5, 5}), nullptr);
}

}  // namespace
