// The main menu under the title bar's menu button and its commands.
#include "platform/Shell.h"
#include "platform/Window.h"
#include "ui/main/MainWnd.h"
#include "ui/main/WebPages.h"
#include "ui/windows/SettingPathWnd.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/window/MenuWnd.h"

namespace {
// Where the menu drops down, from the menu button's left edge and bottom.
constexpr int kMenuLeftOfButton = 35;
constexpr int kMenuBelowButton = 10;
}  // namespace

void CMainWnd::ShowMainMenu() {
    uikit::CControlUI* button = m_pm.FindControl(u"btnMenu");
    if (button == nullptr || GetHWND() == 0) {
        return;
    }
    const platform::Rect window = platform::GetWindowRect(GetHWND());
    const uikit::Rect& rc = button->GetPos();
    const uikit::Point at{window.left + rc.left - kMenuLeftOfButton,
                          window.top + rc.bottom + kMenuBelowButton};
    uikit::CMenuWnd::CreateMenu(nullptr, u"Menu.xml", at, &m_pm, nullptr,
                                uikit::kMenuAlignLeft | uikit::kMenuAlignTop);
}

void CMainWnd::RunMenuCommand(std::u16string_view name) {
    if (name == u"menuFeedback") {
        platform::OpenWebAddress(web_pages::kFeedback);
    } else if (name == u"menuQuestion") {
        platform::OpenWebAddress(web_pages::kQuestions);
    } else if (name == u"menuHelp") {
        platform::OpenWebAddress(web_pages::kUserManual);
    } else if (name == u"settingGamePath") {
        SettingPathWnd settings(context_);
        settings.RunOver(GetHWND());
    }
}
