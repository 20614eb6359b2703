#include "tools/skinpreview/SkinPreview.h"

#include <cairo.h>

#include "common/TextConvert.h"
#include "platform/Window.h"
#include "platform/WindowSystem.h"
#include "uikit/builder/MarkupBuilderUI.h"
#include "uikit/controls/ContainerUI.h"
#include "uikit/controls/IDialogBuilderCallback.h"
#include "uikit/controls/LabelUI.h"
#include "uikit/draw/TextEngine.h"
#include "uikit/image/ImageDescriptor.h"
#include "uikit/image/ImagePainter.h"
#include "uikit/image/SkinArchive.h"
#include "uikit/layout/VerticalLayoutUI.h"
#include "uikit/manager/WindowManagerUI.h"

using namespace uikit;

namespace {

constexpr int kFallbackSide = 400;

void PrepareOnce() {
    static const bool ready = [] {
        InitTextEngine();
        InstallLinkedSkin();
        return platform::UseHeadless();
    }();
    (void)ready;
}

// The menu's own controls come with the menu window; until a file is shown in one, its items
// are drawn as a plain list of centred labels so the look of the markup can be judged.
class PreviewCallback : public IDialogBuilderCallback {
  public:
    CControlUI* CreateControl(std::u16string_view tag) override {
        if (tag == u"Menu") {
            return new CVerticalLayoutUI();
        }
        if (tag == u"MenuElement") {
            auto* item = new CLabelUI();
            item->SetAttribute(u"align", u"center");
            return item;
        }
        return nullptr;
    }
};

Size PreviewSize(const PreviewRequest& request, CWindowManagerUI& manager, CControlUI* root) {
    if (request.width > 0 && request.height > 0) {
        return Size{request.width, request.height};
    }
    const Size init = manager.Attributes().initSize;
    if (init.cx > 0 && init.cy > 0) {
        return init;
    }
    return Size{root->GetFixedWidth() > 0 ? root->GetFixedWidth() : kFallbackSide,
                root->GetFixedHeight() > 0 ? root->GetFixedHeight() : kFallbackSide};
}

bool ApplySettings(const PreviewRequest& request, CWindowManagerUI& manager, std::string& error) {
    for (const PreviewSetting& setting : request.settings) {
        CControlUI* control = manager.FindControl(setting.control);
        if (control == nullptr) {
            error = "no control named " + Utf16ToAnsi(setting.control);
            return false;
        }
        if (setting.attribute == u"text") {
            control->SetText(setting.value);
        } else {
            control->SetAttribute(setting.attribute, setting.value);
        }
    }
    return true;
}

// The window's shadow image around the window, as the shadow window draws it.
std::unique_ptr<Canvas> Frame(const Canvas& window, CWindowManagerUI& manager, Point& offset) {
    const ShadowAttributesUI& shadow = manager.Shadow();
    if (!shadow.show || shadow.image.empty()) {
        return nullptr;
    }
    const Rect& c = shadow.corner;
    offset = Point{c.left, c.top};
    auto framed = std::make_unique<Canvas>(window.Width() + c.left + c.right,
                                           window.Height() + c.top + c.bottom);
    framed->Clear(0xFFFFFFFF);
    ImageDescriptor descriptor = ParseImageDescriptor(
        u"file='" + shadow.image + u"' corner='" + AnsiToUtf16(std::to_string(c.left)) + u"," +
        AnsiToUtf16(std::to_string(c.top)) + u"," + AnsiToUtf16(std::to_string(c.right)) + u"," +
        AnsiToUtf16(std::to_string(c.bottom)) + u"' hole='true'");
    DrawImageUI(framed->Context(), manager.Resources(), descriptor, framed->Bounds(),
                framed->Bounds());
    cairo_set_source_surface(framed->Context(), window.Surface(), c.left, c.top);
    cairo_paint(framed->Context());
    return framed;
}

}  // namespace

PreviewResult RenderSkinPreview(const PreviewRequest& request) {
    PrepareOnce();
    PreviewResult result;
    platform::WindowParams params;
    params.className = "KavrinPreview";
    params.title = Utf16ToAnsi(request.file);
    params.rect = platform::Rect{0, 0, kFallbackSide, kFallbackSide};
    params.proc = platform::DefaultWindowProc;
    const platform::WindowId window = platform::CreateNativeWindow(params);

    CWindowManagerUI manager(SkinArchive::Instance());
    manager.Init(window);
    if (request.asItem) {
        // An item joins a window whose own file already brought in the shared fonts.
        CMarkupBuilderUI().Create(u"fonts.xml", {}, nullptr, &manager);
    }
    PreviewCallback callback;
    CMarkupBuilderUI builder;
    CContainerUI* host = request.asItem ? new CContainerUI() : nullptr;
    CControlUI* root = builder.Create(request.file, {}, &callback, &manager, host);
    if (root == nullptr) {
        result.error =
            Utf16ToAnsi(request.file) + ": " + Utf16ToAnsi(builder.GetLastErrorMessage());
        delete host;
        platform::DestroyNativeWindow(window);
        return result;
    }
    manager.AttachDialog(host != nullptr ? host : root);
    const Size size = PreviewSize(request, manager, root);
    if (ApplySettings(request, manager, result.error)) {
        manager.OnSize(size);
        manager.LayoutIfNeeded();
        result.canvas = std::make_unique<Canvas>(size.cx, size.cy);
        result.canvas->Clear(0);
        manager.Paint(*result.canvas);
        Point offset;
        if (auto framed = request.framed ? Frame(*result.canvas, manager, offset) : nullptr) {
            result.canvas = std::move(framed);
        }
        for (const std::u16string& probe : request.probes) {
            if (CControlUI* control = manager.FindControl(probe)) {
                Rect r = control->GetPos();
                result.places[probe] = Rect{r.left + offset.x, r.top + offset.y, r.right + offset.x,
                                            r.bottom + offset.y};
            }
        }
    }
    platform::DestroyNativeWindow(window);
    return result;
}

bool ParsePreviewSetting(const std::string& text, PreviewSetting& setting) {
    const size_t dot = text.find('.');
    const size_t eq = text.find('=');
    if (dot == std::string::npos || eq == std::string::npos || dot == 0 || eq < dot + 2) {
        return false;
    }
    setting.control = AnsiToUtf16(text.substr(0, dot));
    setting.attribute = AnsiToUtf16(text.substr(dot + 1, eq - dot - 1));
    setting.value = AnsiToUtf16(text.substr(eq + 1));
    return true;
}
