#include "platform/Messages.h"
#include "tests/ui/support/UiFixture.h"
#include "ui/windows/MessageWnd.h"

namespace hl = platform::headless;
using uikit::CControlUI;

namespace {

class MessageWindow : public ::testing::Test {
  protected:
    void SetUp() override { PrepareWindows(); }
};

TEST_F(MessageWindow, PlainNoticeShowsLongTextOnTwoLinesAndEscapeClosesWithOne) {
    CMessageWnd notice(u"所选文件夹没有足够的可用空间，请另选", false);
    QueuedAction person;
    CControlUI* tips = nullptr;
    person.Post([&] {
        tips = notice.Manager().FindControl(u"titleTips");
        ASSERT_NE(tips, nullptr);
        EXPECT_EQ(tips->GetFixedHeight(), CMessageWnd::kTwoLineHeight);
        EXPECT_EQ(tips->GetText(), u"所选文件夹没有足够的可用空间，请另选");
        hl::KeyDown(platform::VK_ESCAPE);
    });
    EXPECT_EQ(notice.RunOver(0, "MessageWnd"), 1u);
    EXPECT_EQ(notice.GetHWND(), 0u);
}

TEST_F(MessageWindow, ShortNoticeKeepsTheMarkupHeightAndOkClosesIt) {
    CMessageWnd notice(u"下载完成", false);
    QueuedAction person;
    person.Post([&] {
        CControlUI* tips = notice.Manager().FindControl(u"titleTips");
        EXPECT_EQ(tips->GetFixedHeight(), 41);
        hl::KeyDown(platform::VK_RETURN);  // Return alone does nothing in the dialog
        ClickInDialog(notice.GetHWND(), notice.Manager().FindControl(u"btn_ok"));
    });
    notice.RunOver(0, "MessageWnd");
    EXPECT_EQ(notice.GetHWND(), 0u);
}

TEST_F(MessageWindow, ModalRunDisablesTheOwnerUntilTheAnswer) {
    platform::WindowParams params;
    params.className = "Owner";
    params.rect = platform::Rect{100, 100, 600, 500};
    params.style = platform::kStylePopup | platform::kStyleVisible;
    params.proc = platform::DefaultWindowProc;
    const platform::WindowId owner = platform::CreateNativeWindow(params);
    CMessageWnd notice(u"", false);
    bool ownerEnabledDuringRun = true;
    QueuedAction person;
    person.Post([&] {
        ownerEnabledDuringRun = platform::IsWindowEnabled(owner);
        notice.Close(7);
    });
    EXPECT_EQ(notice.RunOver(owner, "MessageWnd"), 7u);
    EXPECT_FALSE(ownerEnabledDuringRun);
    EXPECT_TRUE(platform::IsWindowEnabled(owner));
    platform::DestroyNativeWindow(owner);
}

// A dialog whose skin file is not in the archive.
class MissingSkinDialog : public uikit::WindowImplBase {
  protected:
    std::string GetWindowClassName() const override { return "MissingSkin"; }
    std::u16string GetSkinFile() const override { return u"NoSuchWindow.xml"; }
};

TEST_F(MessageWindow, DialogWhoseSkinDoesNotBuildEndsTheProcessWithCodeOne) {
    EXPECT_EXIT(
        {
            MissingSkinDialog dialog;
            dialog.Create(0, "MissingSkin", platform::kStylePopup);
        },
        ::testing::ExitedWithCode(1), "");
}

}  // namespace
