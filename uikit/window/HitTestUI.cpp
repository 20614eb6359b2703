#include "uikit/window/HitTestUI.h"

#include "common/CaseFold.h"
#include "platform/Messages.h"
#include "uikit/controls/ControlUI.h"
#include "uikit/manager/WindowManagerUI.h"

namespace uikit {

namespace {

intptr_t SizingCode(const Rect& box, Size client, Point pt) {
    const bool top = pt.y < box.top;
    const bool bottom = pt.y >= client.cy - box.bottom;
    const bool left = pt.x < box.left;
    const bool right = pt.x >= client.cx - box.right;
    if (top) {
        return left ? platform::HTTOPLEFT : right ? platform::HTTOPRIGHT : platform::HTTOP;
    }
    if (bottom) {
        return left ? platform::HTBOTTOMLEFT : right ? platform::HTBOTTOMRIGHT : platform::HTBOTTOM;
    }
    if (left) {
        return platform::HTLEFT;
    }
    return right ? platform::HTRIGHT : platform::HTNOWHERE;
}

// Controls a person clicks keep their clicks even inside the drag band.
bool TakesClicks(const CControlUI& control) {
    const std::u16string_view cls = control.GetClass();
    return EqualsNoCase(cls, u"ButtonUI") || EqualsNoCase(cls, u"OptionUI") ||
           EqualsNoCase(cls, u"TextUI") || EqualsNoCase(cls, u"Button") ||
           EqualsNoCase(cls, u"Option") || EqualsNoCase(cls, u"Text");
}

}  // namespace

intptr_t SkinHitTest(const CWindowManagerUI& manager, Point pt, bool sizable) {
    const Size client = manager.GetClientSize();
    if (sizable) {
        const intptr_t code = SizingCode(manager.Attributes().sizeBox, client, pt);
        if (code != platform::HTNOWHERE) {
            return code;
        }
    }
    const Rect& band = manager.Attributes().caption;
    if (pt.x >= band.left && pt.x < client.cx - band.right && pt.y >= band.top &&
        pt.y < band.bottom) {
        const CControlUI* control = manager.FindControl(pt);
        if (control != nullptr && !TakesClicks(*control)) {
            return platform::HTCAPTION;
        }
    }
    return platform::HTCLIENT;
}

}  // namespace uikit
