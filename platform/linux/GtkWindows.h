#pragma once

#include <gtk/gtk.h>

#include <atomic>
#include <map>
#include <utility>

#include "platform/core/WindowCore.h"

// The desktop window system on GTK 3. Every window is an undecorated GtkWindow that draws the
// last presented bitmap; its events become the core's input reports.
namespace platform::gtk {

class GtkWindows final : public core::NativeWindows {
  public:
    explicit GtkWindows(core::WindowCore& core) : core_(core) {}
    ~GtkWindows() override;

    bool Start() override;
    void Create(const core::WindowRecord& window) override;
    void Destroy(WindowId window) override;
    void Show(const core::WindowRecord& window) override;
    void Place(const core::WindowRecord& window) override;
    void SetRegion(const core::WindowRecord& window) override;
    void SetTopMost(const core::WindowRecord& window) override;
    void Enable(const core::WindowRecord& window) override;
    void Focus(WindowId window) override;
    void Raise(WindowId window) override;
    Rect WorkArea(const core::WindowRecord* window) override;

    void Capture(WindowId window) override;
    void SetCursor(WindowId under, Cursor cursor) override;
    bool BeginMoveDrag(WindowId window, Point screen) override;
    bool BeginResizeDrag(const core::WindowRecord& window, intptr_t hit, Point screen) override;

    void StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) override;
    void StopTimer(WindowId window, uintptr_t id) override;

    void Present(WindowId window, const BitmapView& bitmap) override;
    void Invalidate(WindowId window) override;
    bool Translucent() const override { return Composited(); }

    bool WaitForEvents(int timeoutMs) override;
    void Wake() override;

    int MessageBox(WindowId owner, const std::string& text, const std::string& caption,
                   MessageBoxButtons buttons) override;
    std::string ChooseFolder(WindowId owner, const std::string& startFolder) override;
    void SetClipboardText(const std::string& text) override;
    std::string GetClipboardText() override;

    bool OpenWebAddress(const std::string& url) override;
    bool ShowInFileManager(const std::string& filePath) override;
    bool OpenFolder(const std::string& folder) override;
    bool ShowNotification(const std::string& title, const std::string& body) override;

    // Event handlers (GtkEvents.cpp) and drawing (GtkPresent.cpp) reach the window's state here.
    struct Native {
        WindowId id = 0;
        GtkWidget* widget = nullptr;
        cairo_surface_t* surface = nullptr;  // the last presented bitmap
        bool layered = false;
        bool clickThrough = false;
        bool painting = false;
        bool shaped = false;  // cut to a region, which must be undone when it goes
        bool hinted = false;  // the size limits were given to GTK
    };
    Native* Find(WindowId window);
    void Draw(WindowId window, cairo_t* cr);
    GtkWindow* GtkOf(WindowId window);
    core::WindowCore& Core() { return core_; }
    bool Composited() const;
    void ApplyShapes(Native& native);
    void ConnectEvents(Native& native);

  private:
    gint RunDialog(GtkWidget* dialog);
    void ApplyLimits(Native& native, const core::WindowRecord& window);
    // The record's region as a cairo region; null when it has none.
    cairo_region_t* RegionShape(const Native& native);

    core::WindowCore& core_;
    std::map<WindowId, Native> windows_;
    std::map<std::pair<WindowId, uintptr_t>, guint> timers_;
    std::atomic<bool> wakePending_{false};
    GdkSeat* grabbedSeat_ = nullptr;
};

}  // namespace platform::gtk
