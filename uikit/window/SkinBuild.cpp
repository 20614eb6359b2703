#include "platform/Window.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/manager/WindowManagerUI.h"
#include "uikit/window/WindowWnd.h"

namespace uikit {

bool CWindowWnd::BuildSkin(CWindowManagerUI& manager, std::u16string_view file,
                           IDialogBuilderCallback* callback, INotifyUI* notifier) {
    manager.Init(GetHWND());
    CMarkupBuilderUI builder;
    CControlUI* root = builder.Create(file, {}, callback, &manager);
    if (root == nullptr) {
        manager.Init(0);
        return false;
    }
    const Size init = manager.Attributes().initSize;
    if (init.cx > 0 && init.cy > 0) {
        platform::ResizeWindow(GetHWND(), init.cx, init.cy);
    }
    manager.AttachDialog(root);
    AttachShadow(manager);
    manager.AddNotifier(notifier);
    return true;
}

}  // namespace uikit
