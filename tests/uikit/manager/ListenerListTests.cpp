// The listener list behind a window's notification sinks and message filters: a listener that
// changes the list while it is being called must neither make the walk skip another listener
// nor be called after it left.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "uikit/manager/ListenerListUI.h"

using uikit::ListenerListUI;

namespace {

struct Listener {
    std::string name;
    std::function<bool()> onCall = [] { return false; };
};

using Walk = std::vector<std::string>;

Walk WalkAll(ListenerListUI<Listener>& list) {
    Walk seen;
    list.VisitUntil([&seen](Listener& l) {
        seen.push_back(l.name);
        return l.onCall();
    });
    return seen;
}

TEST(ListenerList, RegistersEachListenerOnceAndInOrder) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b"};
    EXPECT_TRUE(list.Add(&a));
    EXPECT_TRUE(list.Add(&b));
    EXPECT_FALSE(list.Add(&a));
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_FALSE(list.Remove(nullptr));
    EXPECT_EQ(WalkAll(list), (Walk{"a", "b"}));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_FALSE(list.Remove(&a));
    EXPECT_EQ(WalkAll(list), (Walk{"b"}));
}

TEST(ListenerList, TheWalkStopsAtTheFirstListenerThatTakesIt) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b", [] { return true; }}, c{"c"};
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    Walk seen;
    EXPECT_TRUE(list.VisitUntil([&seen](Listener& l) {
        seen.push_back(l.name);
        return l.onCall();
    }));
    EXPECT_EQ(seen, (Walk{"a", "b"}));
}

TEST(ListenerList, AListenerThatRemovesItselfDoesNotMakeTheWalkSkipTheNext) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b"}, c{"c"};
    b.onCall = [&] { return !list.Remove(&b); };
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    EXPECT_EQ(WalkAll(list), (Walk{"a", "b", "c"}));
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(WalkAll(list), (Walk{"a", "c"}));
}

TEST(ListenerList, ListenersRemovedByAnotherAreNotCalledAndTheRestAre) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b"}, c{"c"}, d{"d"};
    b.onCall = [&] {
        list.Remove(&a);  // already called: the walk must not lose its place
        list.Remove(&c);  // not called yet: it is gone before its turn
        return false;
    };
    for (Listener* l : {&a, &b, &c, &d}) {
        list.Add(l);
    }
    EXPECT_EQ(WalkAll(list), (Walk{"a", "b", "d"}));
    EXPECT_FALSE(list.Contains(&a));
    EXPECT_EQ(WalkAll(list), (Walk{"b", "d"}));
}

TEST(ListenerList, OneAddedDuringAWalkIsCalledAtItsEnd) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b"}, late{"late"};
    a.onCall = [&] {
        list.Add(&late);
        return false;
    };
    list.Add(&a);
    list.Add(&b);
    EXPECT_EQ(WalkAll(list), (Walk{"a", "b", "late"}));
}

TEST(ListenerList, ANestedWalkSeesRemovalsAndTheListClosesUpAfterTheOuterOne) {
    ListenerListUI<Listener> list;
    Listener a{"a"}, b{"b"}, c{"c"};
    Walk inner;
    std::vector<bool> readded;
    a.onCall = [&] {
        list.Remove(&a);
        list.Remove(&b);
        inner = WalkAll(list);
        return false;
    };
    // Back in after leaving during the walk: registered once, at the end.
    c.onCall = [&] {
        readded.push_back(list.Add(&b));
        return false;
    };
    list.Add(&a);
    list.Add(&b);
    list.Add(&c);
    EXPECT_EQ(WalkAll(list), (Walk{"a", "c", "b"}));
    EXPECT_EQ(inner, (Walk{"c", "b"}));
    EXPECT_EQ(readded, (std::vector<bool>{true, false}));
    EXPECT_EQ(list.Count(), 2u);
    c.onCall = [] { return false; };
    EXPECT_EQ(WalkAll(list), (Walk{"c", "b"}));
}

}  // namespace
