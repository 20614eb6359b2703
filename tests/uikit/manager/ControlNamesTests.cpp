// The name table of a window: which control a name finds while several claim it.
#include <gtest/gtest.h>

#include "uikit/controls/ControlUI.h"
#include "uikit/manager/ControlNamesUI.h"

using namespace uikit;

namespace {

TEST(ControlNames, TheHolderKeepsItsNameUntilItLeavesThenTheNextClaimantGetsIt) {
    ControlNamesUI names;
    CControlUI first, second, third;
    for (CControlUI* c : {&first, &second, &third}) {
        c->SetName(u"x");  // no window yet: the table hears only what it is told
    }
    names.Add(&first);
    names.Add(&second);
    EXPECT_EQ(names.Find(u"x"), &first);
    names.Remove(&second);  // never held it: the holder stays
    EXPECT_EQ(names.Find(u"x"), &first);
    names.Remove(&first);
    EXPECT_EQ(names.Find(u"x"), nullptr);  // the earlier loser was never entered
    names.Add(&third);
    EXPECT_EQ(names.Find(u"x"), &third);
}

TEST(ControlNames, AnUnnamedControlIsNeverFoundAndAnEmptyNameFindsNothing) {
    ControlNamesUI names;
    CControlUI unnamed;
    names.Add(&unnamed);
    EXPECT_EQ(names.Find(u""), nullptr);
    names.Remove(&unnamed);
    EXPECT_EQ(names.Find(u""), nullptr);
}

}  // namespace
