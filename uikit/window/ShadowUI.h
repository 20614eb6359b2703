#pragma once

#include <cstdint>
#include <memory>

#include "platform/Geometry.h"
#include "platform/WindowPost.h"
#include "uikit/manager/WindowAttributesUI.h"

namespace uikit {

class Canvas;
class ResourceTablesUI;

// The drop shadow around a skinned window: a click-through layered window owned by the host,
// the host's rectangle grown by the "shadowcorner" sizes, painted with the "shadowimage" as a
// nine-part frame whose centre the host covers. It follows the host through the host's own
// messages (Follow).
class CShadowUI {
  public:
    CShadowUI(ResourceTablesUI& resources, const ShadowAttributesUI& attributes);
    ~CShadowUI();
    CShadowUI(const CShadowUI&) = delete;
    CShadowUI& operator=(const CShadowUI&) = delete;

    // Whether a window with these attributes gets a shadow window here: image mode only, and
    // only on a screen that blends layered windows (without one a soft edge would show as a
    // hard dark frame).
    static bool Wanted(const ShadowAttributesUI& attributes);

    bool Create(platform::WindowId host);
    // Every message of the host, before the host handles it.
    void Follow(uint32_t message, uintptr_t wParam, intptr_t lParam);
    platform::WindowId GetWindow() const { return window_; }

  private:
    bool HostFramed() const;
    platform::Rect ShadowRect() const;
    void Place();
    void Redraw();
    void Show(bool show);
    void Destroy();

    ResourceTablesUI& resources_;
    ShadowAttributesUI attributes_;
    platform::WindowId host_ = 0;
    platform::WindowId window_ = 0;
    std::unique_ptr<Canvas> bitmap_;
};

}  // namespace uikit
