#include <cmath>

#include "platform/Messages.h"
#include "platform/linux/GtkKeys.h"
#include "platform/linux/GtkWindows.h"

// GTK signals of a window, turned into the core's input reports in screen coordinates.
namespace platform::gtk {
namespace {

struct EventContext {
    GtkWindows* system;
    WindowId window;
};

// Double clicks are recognised here rather than from GDK's extra press event, so that the
// window sees down, up, double-click, up as it expects.
struct LastPress {
    WindowId window = 0;
    guint32 time = 0;
    double x = 0;
    double y = 0;
};
LastPress lastPress;

uintptr_t KeysFromState(guint state) {
    uintptr_t keys = 0;
    if ((state & GDK_BUTTON1_MASK) != 0) {
        keys |= MK_LBUTTON;
    }
    if ((state & GDK_BUTTON3_MASK) != 0) {
        keys |= MK_RBUTTON;
    }
    if ((state & GDK_SHIFT_MASK) != 0) {
        keys |= MK_SHIFT;
    }
    if ((state & GDK_CONTROL_MASK) != 0) {
        keys |= MK_CONTROL;
    }
    return keys;
}

Point RootPoint(double x, double y) {
    return Point{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

bool IsDoubleClick(WindowId window, const GdkEventButton* event) {
    gint time = 400;
    gint distance = 5;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &time,
                 "gtk-double-click-distance", &distance, nullptr);
    const bool isDouble = lastPress.window == window &&
                          event->time - lastPress.time <= static_cast<guint32>(time) &&
                          std::fabs(event->x_root - lastPress.x) <= distance &&
                          std::fabs(event->y_root - lastPress.y) <= distance;
    lastPress =
        isDouble ? LastPress{} : LastPress{window, event->time, event->x_root, event->y_root};
    return isDouble;
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Core().MouseMove(context->window, RootPoint(event->x_root, event->y_root),
                                      KeysFromState(event->state));
    return TRUE;
}

gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    if (event->type != GDK_BUTTON_PRESS || (event->button != 1 && event->button != 3)) {
        return TRUE;
    }
    const bool left = event->button == 1;
    const bool isDouble = left && IsDoubleClick(context->window, event);
    const uintptr_t keys = KeysFromState(event->state) | (left ? MK_LBUTTON : MK_RBUTTON);
    context->system->Core().MouseButtonDown(
        context->window, RootPoint(event->x_root, event->y_root),
        left ? core::MouseButton::Left : core::MouseButton::Right, isDouble, keys);
    return TRUE;
}

gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    if (event->button != 1 && event->button != 3) {
        return TRUE;
    }
    const bool left = event->button == 1;
    const uintptr_t keys = KeysFromState(event->state) & ~(left ? MK_LBUTTON : MK_RBUTTON);
    context->system->Core().MouseButtonUp(context->window, RootPoint(event->x_root, event->y_root),
                                          left ? core::MouseButton::Left : core::MouseButton::Right,
                                          keys);
    return TRUE;
}

gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    int delta = 0;
    if (event->direction == GDK_SCROLL_UP) {
        delta = WHEEL_DELTA;
    } else if (event->direction == GDK_SCROLL_DOWN) {
        delta = -WHEEL_DELTA;
    } else if (event->direction == GDK_SCROLL_SMOOTH) {
        delta = static_cast<int>(-event->delta_y * WHEEL_DELTA);
    }
    if (delta != 0) {
        context->system->Core().MouseWheel(context->window, RootPoint(event->x_root, event->y_root),
                                           delta, KeysFromState(event->state));
    }
    return TRUE;
}

gboolean OnEnter(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Core().MouseMove(context->window, RootPoint(event->x_root, event->y_root),
                                      KeysFromState(event->state));
    return FALSE;
}

gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    if (event->mode == GDK_CROSSING_NORMAL && event->detail != GDK_NOTIFY_INFERIOR) {
        context->system->Core().PointerLeft(context->window);
    }
    return FALSE;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    const bool down = event->type == GDK_KEY_PRESS;
    if (const uint32_t key = VirtualKeyFromKeyval(event->keyval); key != 0) {
        context->system->Core().Key(context->window, key, down);
    }
    const gunichar character = gdk_keyval_to_unicode(event->keyval);
    const bool control = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0;
    if (down && !control && character != 0 && character < 0x10000) {
        context->system->Core().Character(context->window, static_cast<char16_t>(character));
    }
    return TRUE;
}

gboolean OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Core().NativeFocus(context->window, event->in != 0);
    return FALSE;
}

gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Core().NativeBounds(context->window,
                                         MakeRect(event->x, event->y, event->width, event->height));
    return FALSE;
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    if ((event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) != 0) {
        auto* context = static_cast<EventContext*>(data);
        context->system->Core().NativeMinimized(
            context->window, (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0);
    }
    return FALSE;
}

gboolean OnGrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<EventContext*>(data)->system->Core().PointerGrabBroken();
    return FALSE;
}

// The desktop's close request goes through the window's own close handling.
gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Core().Send(context->window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* context = static_cast<EventContext*>(data);
    context->system->Draw(context->window, cr);
    return TRUE;
}

void FreeContext(gpointer data, GClosure*) {
    delete static_cast<EventContext*>(data);
}

template <typename Handler>
void Connect(GtkWidget* widget, const char* signal, Handler handler, EventContext* context) {
    g_signal_connect_data(widget, signal, G_CALLBACK(handler), new EventContext(*context),
                          FreeContext, GConnectFlags{});
}

}  // namespace

void GtkWindows::ConnectEvents(Native& native) {
    gtk_widget_add_events(native.widget, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                             GDK_BUTTON_RELEASE_MASK | GDK_ENTER_NOTIFY_MASK |
                                             GDK_LEAVE_NOTIFY_MASK | GDK_SCROLL_MASK |
                                             GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                             GDK_FOCUS_CHANGE_MASK | GDK_STRUCTURE_MASK);
    EventContext context{this, native.id};
    Connect(native.widget, "motion-notify-event", OnMotion, &context);
    Connect(native.widget, "button-press-event", OnButtonPress, &context);
    Connect(native.widget, "button-release-event", OnButtonRelease, &context);
    Connect(native.widget, "scroll-event", OnScroll, &context);
    Connect(native.widget, "enter-notify-event", OnEnter, &context);
    Connect(native.widget, "leave-notify-event", OnLeave, &context);
    Connect(native.widget, "key-press-event", OnKey, &context);
    Connect(native.widget, "key-release-event", OnKey, &context);
    Connect(native.widget, "focus-in-event", OnFocus, &context);
    Connect(native.widget, "focus-out-event", OnFocus, &context);
    Connect(native.widget, "configure-event", OnConfigure, &context);
    Connect(native.widget, "grab-broken-event", OnGrabBroken, &context);
    Connect(native.widget, "window-state-event", OnWindowState, &context);
    Connect(native.widget, "delete-event", OnDelete, &context);
    Connect(native.widget, "draw", OnDraw, &context);
}

}  // namespace platform::gtk
