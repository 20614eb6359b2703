#include "platform/linux/GtkWindows.h"

#include <algorithm>
#include <cstring>

#include "platform/Messages.h"

namespace platform::gtk {
namespace {

struct TimerTag {
    core::WindowCore* core;
    WindowId window;
    uintptr_t id;
};

// The tick only marks the timer due; the core's loop delivers it when nothing is posted, so a
// handler that runs a modal loop does not stop its own timer from ticking.
gboolean OnTimer(gpointer data) {
    const auto* tag = static_cast<TimerTag*>(data);
    tag->core->TimerDue(tag->window, tag->id);
    return G_SOURCE_CONTINUE;
}

void DeleteTimerTag(gpointer data) {
    delete static_cast<TimerTag*>(data);
}

gboolean EndWait(gpointer) {
    return G_SOURCE_REMOVE;
}

GdkWindowTypeHint TypeHintFor(const core::WindowRecord& window) {
    if ((window.style & kStyleToolTip) != 0) {
        return GDK_WINDOW_TYPE_HINT_TOOLTIP;
    }
    if ((window.style & kStyleToolWindow) != 0) {
        return GDK_WINDOW_TYPE_HINT_UTILITY;
    }
    return window.owner != 0 ? GDK_WINDOW_TYPE_HINT_DIALOG : GDK_WINDOW_TYPE_HINT_NORMAL;
}

}  // namespace

GtkWindows::~GtkWindows() {
    for (const auto& [key, source] : timers_) {
        g_source_remove(source);
    }
}

bool GtkWindows::Start() {
    return gtk_init_check(nullptr, nullptr) != FALSE;
}

GtkWindows::Native* GtkWindows::Find(WindowId window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

GtkWindow* GtkWindows::GtkOf(WindowId window) {
    Native* native = Find(window);
    return native != nullptr ? GTK_WINDOW(native->widget) : nullptr;
}

bool GtkWindows::Composited() const {
    return gdk_screen_is_composited(gdk_screen_get_default()) != FALSE;
}

void GtkWindows::Create(const core::WindowRecord& window) {
    Native& native = windows_[window.id];
    native.id = window.id;
    native.layered = (window.style & kStyleLayered) != 0;
    native.clickThrough = (window.style & kStyleClickThrough) != 0;
    // A tip is a pop-up window the window manager leaves alone (no placement of its own).
    native.widget = gtk_window_new((window.style & kStyleToolTip) != 0 ? GTK_WINDOW_POPUP
                                                                       : GTK_WINDOW_TOPLEVEL);
    GtkWindow* gtkWindow = GTK_WINDOW(native.widget);
    gtk_window_set_decorated(gtkWindow, FALSE);
    gtk_widget_set_app_paintable(native.widget, TRUE);
    gtk_window_set_title(gtkWindow, window.title.c_str());
    gtk_window_set_type_hint(gtkWindow, TypeHintFor(window));
    if (GtkWindow* owner = GtkOf(window.owner)) {
        gtk_window_set_transient_for(gtkWindow, owner);
    }
    const bool tool = (window.style & kStyleToolWindow) != 0;
    gtk_window_set_skip_taskbar_hint(gtkWindow, tool);
    gtk_window_set_skip_pager_hint(gtkWindow, tool);
    gtk_window_set_keep_above(gtkWindow, (window.style & kStyleTopMost) != 0);
    if ((window.style & kStyleNoActivate) != 0) {
        gtk_window_set_accept_focus(gtkWindow, FALSE);
        gtk_window_set_focus_on_map(gtkWindow, FALSE);
    }
    if (native.layered && Composited()) {
        if (GdkVisual* visual = gdk_screen_get_rgba_visual(gdk_screen_get_default())) {
            gtk_widget_set_visual(native.widget, visual);
        }
    }
    ConnectEvents(native);
    Place(window);
}

void GtkWindows::Destroy(WindowId window) {
    Native* native = Find(window);
    if (native == nullptr) {
        return;
    }
    std::erase_if(timers_, [window](const auto& entry) {
        if (entry.first.first == window) {
            g_source_remove(entry.second);
            return true;
        }
        return false;
    });
    gtk_widget_destroy(native->widget);
    if (native->surface != nullptr) {
        cairo_surface_destroy(native->surface);
    }
    windows_.erase(window);
}

void GtkWindows::Show(const core::WindowRecord& window) {
    Native* native = Find(window.id);
    if (native == nullptr) {
        return;
    }
    GtkWindow* gtkWindow = GTK_WINDOW(native->widget);
    if (!window.visible) {
        gtk_widget_hide(native->widget);
        return;
    }
    Place(window);
    gtk_widget_show(native->widget);
    ApplyShapes(*native);
    if (window.minimized) {
        gtk_window_iconify(gtkWindow);
    } else {
        gtk_window_deiconify(gtkWindow);
    }
}

void GtkWindows::Place(const core::WindowRecord& window) {
    Native* native = Find(window.id);
    if (native == nullptr) {
        return;
    }
    GtkWindow* gtkWindow = GTK_WINDOW(native->widget);
    const int width = std::max(1, window.rect.Width());
    const int height = std::max(1, window.rect.Height());
    ApplyLimits(*native, window);
    gtk_window_set_default_size(gtkWindow, width, height);
    gtk_window_resize(gtkWindow, width, height);
    gtk_window_move(gtkWindow, window.rect.left, window.rect.top);
}

// The desktop (or GDK's own drag, without one) keeps to these while a person sizes the window.
void GtkWindows::ApplyLimits(Native& native, const core::WindowRecord& window) {
    GtkWindow* gtkWindow = GTK_WINDOW(native.widget);
    if (!window.limited) {
        if (native.hinted) {
            gtk_window_set_geometry_hints(gtkWindow, nullptr, nullptr, GdkWindowHints{});
            native.hinted = false;
        }
        return;
    }
    GdkGeometry geometry{};
    geometry.min_width = std::max(1, window.limits.minTrackSize.x);
    geometry.min_height = std::max(1, window.limits.minTrackSize.y);
    geometry.max_width = std::max(geometry.min_width, window.limits.maxTrackSize.x);
    geometry.max_height = std::max(geometry.min_height, window.limits.maxTrackSize.y);
    gtk_window_set_geometry_hints(gtkWindow, nullptr, &geometry,
                                  GdkWindowHints(GDK_HINT_MIN_SIZE | GDK_HINT_MAX_SIZE));
    native.hinted = true;
}

void GtkWindows::SetRegion(const core::WindowRecord& window) {
    if (Native* native = Find(window.id)) {
        ApplyShapes(*native);
    }
}

void GtkWindows::SetTopMost(const core::WindowRecord& window) {
    if (GtkWindow* gtkWindow = GtkOf(window.id)) {
        gtk_window_set_keep_above(gtkWindow, (window.style & kStyleTopMost) != 0);
    }
}

void GtkWindows::Enable(const core::WindowRecord& window) {
    if (Native* native = Find(window.id)) {
        gtk_widget_set_sensitive(native->widget, window.enabled);
    }
}

void GtkWindows::Focus(WindowId window) {
    if (GtkWindow* gtkWindow = GtkOf(window);
        gtkWindow && gtk_widget_get_visible(GTK_WIDGET(gtkWindow))) {
        gtk_window_present(gtkWindow);
    }
}

void GtkWindows::Raise(WindowId window) {
    Native* native = Find(window);
    if (native != nullptr && gtk_widget_get_realized(native->widget)) {
        gdk_window_raise(gtk_widget_get_window(native->widget));
    }
}

Rect GtkWindows::WorkArea(const core::WindowRecord* window) {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = nullptr;
    Native* native = window != nullptr ? Find(window->id) : nullptr;
    if (native != nullptr && gtk_widget_get_realized(native->widget)) {
        monitor = gdk_display_get_monitor_at_window(display, gtk_widget_get_window(native->widget));
    }
    if (monitor == nullptr) {
        monitor = gdk_display_get_primary_monitor(display);
    }
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return Rect{};
    }
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    return MakeRect(area.x, area.y, area.width, area.height);
}

void GtkWindows::StartTimer(WindowId window, uintptr_t id, uint32_t periodMs) {
    StopTimer(window, id);
    timers_[{window, id}] = g_timeout_add_full(G_PRIORITY_DEFAULT, periodMs, OnTimer,
                                               new TimerTag{&core_, window, id}, DeleteTimerTag);
}

void GtkWindows::StopTimer(WindowId window, uintptr_t id) {
    const auto it = timers_.find({window, id});
    if (it != timers_.end()) {
        g_source_remove(it->second);
        timers_.erase(it);
    }
}

bool GtkWindows::WaitForEvents(int timeoutMs) {
    if (timeoutMs == 0) {
        return g_main_context_iteration(nullptr, FALSE) != FALSE;
    }
    GSource* limit = nullptr;
    if (timeoutMs > 0) {
        limit = g_timeout_source_new(static_cast<guint>(timeoutMs));
        g_source_set_callback(limit, EndWait, nullptr, nullptr);
        g_source_attach(limit, nullptr);
    }
    const bool handled = g_main_context_iteration(nullptr, TRUE) != FALSE;
    if (limit != nullptr) {
        g_source_destroy(limit);
        g_source_unref(limit);
    }
    return handled;
}

// Called from posting threads: an idle source wakes the loop (the thread-safe way to reach the
// GTK thread even before its loop runs). One pending wake-up is enough.
void GtkWindows::Wake() {
    if (!wakePending_.exchange(true)) {
        g_idle_add(
            [](gpointer data) -> gboolean {
                static_cast<GtkWindows*>(data)->wakePending_ = false;
                return G_SOURCE_REMOVE;
            },
            this);
    }
}

}  // namespace platform::gtk

namespace platform::core {

std::unique_ptr<NativeWindows> MakeDesktopWindows(WindowCore& core) {
    return std::make_unique<gtk::GtkWindows>(core);
}

}  // namespace platform::core
