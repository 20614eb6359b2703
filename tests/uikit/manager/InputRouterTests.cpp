// Where a window's input goes while the controls it is aimed at change or go away: the key-up
// of a pressed key, the controls that asked to hear the pointer leave, the pressed control and
// the window's close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/uikit/support/ControlTestSupport.h"
#include "uikit/controls/ContainerUI.h"

using namespace uikit;

namespace {

struct InputRouting : ::testing::Test {
    TestWindow window;
    CContainerUI* root = nullptr;
    // "name:event number", in the order the controls got them.
    std::vector<std::string> events;

    void SetUp() override {
        root = static_cast<CContainerUI*>(
            window.Build(u"<Window><HorizontalLayout><Control name=\"l\"/><Control name=\"r\"/>"
                         u"</HorizontalLayout></Window>",
                         Size{200, 100}));
        ASSERT_NE(root, nullptr);
        root->SetDelayedDestroy(false);
        Record(u"l", "l");
        Record(u"r", "r");
        window.log = NotifyLog{};
    }
    void Record(std::u16string_view name, std::string tag) {
        window.Find(name)->OnEvent.push_back([this, tag](EventRecordUI& e) {
            events.push_back(tag + ":" + std::to_string(e.type));
            return true;
        });
    }
    std::vector<std::string> Of(int type) const {
        std::vector<std::string> out;
        for (const std::string& e : events) {
            if (e.ends_with(":" + std::to_string(type))) {
                out.push_back(e);
            }
        }
        return out;
    }
    CWindowManagerUI& M() { return window.Manager(); }
};

TEST_F(InputRouting, AKeyComesUpAtTheControlItWentDownAtEvenAfterTheFocusMoved) {
    window.Find(u"l")->SetFocus();
    M().OnKeyDown(kKeySpace);
    window.Find(u"r")->SetFocus();
    M().OnKeyUp(kKeySpace);
    M().OnKeyUp(kKeySpace);  // only one key-up per press
    EXPECT_EQ(Of(UIEVENT_KEYDOWN), std::vector<std::string>{"l:3"});
    EXPECT_EQ(Of(UIEVENT_KEYUP), std::vector<std::string>{"l:4"});
}

TEST_F(InputRouting, APressedControlThatGoesAwayHearsNothingMore) {
    CControlUI* l = window.Find(u"l");
    l->SetFocus();
    M().OnKeyDown(kKeySpace);
    M().OnMouseMove(Point{10, 10});
    M().OnLButtonDown(Point{10, 10});
    ASSERT_EQ(M().GetCapture(), l);
    root->Remove(l);
    events.clear();
    // The sanitizer build would catch an event handed to the deleted control.
    M().OnKeyUp(kKeySpace);
    M().OnMouseMove(Point{150, 10});
    M().OnLButtonUp(Point{150, 10});
    EXPECT_EQ(M().GetCapture(), nullptr);
    EXPECT_EQ(M().GetFocus(), nullptr);
    EXPECT_EQ(M().GetHover(), window.Find(u"r"));
    EXPECT_EQ(events, (std::vector<std::string>{"r:11", "r:9"}));
}

TEST_F(InputRouting, AControlThatAskedHearsThePointerLeaveItOnceAndOnlyWhileItIsThere) {
    CControlUI* l = window.Find(u"l");
    M().OnMouseMove(Point{10, 10});
    M().AddMouseLeaveNeeded(l);
    M().AddMouseLeaveNeeded(l);  // asked twice, told once
    M().OnMouseMove(Point{20, 10});
    EXPECT_TRUE(Of(UIEVENT_MOUSELEAVE).empty());
    M().OnMouseMove(Point{150, 10});
    // The leave it asked for, then the hover's own.
    EXPECT_EQ(Of(UIEVENT_MOUSELEAVE), (std::vector<std::string>{"l:10", "l:10"}));

    M().OnMouseMove(Point{10, 10});
    M().AddMouseLeaveNeeded(l);
    events.clear();
    M().OnMouseLeaveWindow();
    EXPECT_EQ(events, (std::vector<std::string>{"l:10", "l:10"}));

    CControlUI* r = window.Find(u"r");
    M().OnMouseMove(Point{150, 10});
    M().AddMouseLeaveNeeded(r);
    root->Remove(r);  // asked, then went away before the pointer left the window
    events.clear();
    // The sanitizer build would catch a leave handed to the deleted control.
    M().OnMouseLeaveWindow();
    EXPECT_TRUE(events.empty());
}

TEST_F(InputRouting, ClosingEndsTheHoverAndThePressAndTakesTheFocus) {
    M().OnMouseMove(Point{150, 10});
    M().OnLButtonDown(Point{150, 10});
    M().AddMouseLeaveNeeded(window.Find(u"l"));
    events.clear();
    M().OnClose();
    EXPECT_EQ(events, (std::vector<std::string>{"r:10", "r:14", "r:20"}));
    EXPECT_EQ(window.log.Of(u"killfocus"), std::vector<std::u16string>{u"killfocus:r"});
    EXPECT_EQ(M().GetHover(), nullptr);
    EXPECT_EQ(M().GetCapture(), nullptr);
    EXPECT_EQ(M().GetFocus(), nullptr);
    events.clear();
    M().OnMouseLeaveWindow();  // the close forgot who asked to hear it
    EXPECT_TRUE(events.empty());
}

}  // namespace
