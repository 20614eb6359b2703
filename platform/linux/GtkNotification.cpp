#include <gio/gio.h>

#include "platform/linux/GtkWindows.h"

// Desktop notifications through the freedesktop notification service on the session bus. That
// interface serves any process; GIO's own notification object would need the program to run as a
// registered application with an application id, which the client is not (its single instance
// has a socket of its own).
namespace platform::gtk {
namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// The name the desktop entry and the icons are installed under.
constexpr const char* kDesktopName = "kavrin";
constexpr const char* kApplicationName = "Kavrin";
constexpr int kServerDecidesTimeout = -1;
constexpr int kCallTimeoutMs = 5000;

void ForgetReply(GObject* bus, GAsyncResult* result, gpointer) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, &error);
    if (reply != nullptr) {
        g_variant_unref(reply);
    }
    g_clear_error(&error);
}

GVariant* NotifyArguments(const std::string& title, const std::string& body) {
    GVariantBuilder hints;
    g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&hints, "{sv}", "desktop-entry", g_variant_new_string(kDesktopName));
    const gchar* noActions[] = {nullptr};
    return g_variant_new("(susss^asa{sv}i)", kApplicationName, 0u, kDesktopName, title.c_str(),
                         body.c_str(), noActions, &hints, kServerDecidesTimeout);
}

// One call to the bus itself; null when it fails.
GVariant* AskBus(GDBusConnection* bus, const char* method, GVariant* arguments,
                 const char* replyType) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        arguments, G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr,
        &error);
    g_clear_error(&error);
    return reply;
}

// Whether a notification service runs, or the bus can start one: without either the message
// would go nowhere while it counted as shown.
bool ServiceAvailable(GDBusConnection* bus) {
    gboolean running = FALSE;
    if (GVariant* reply = AskBus(bus, "NameHasOwner", g_variant_new("(s)", kService), "(b)")) {
        g_variant_get(reply, "(b)", &running);
        g_variant_unref(reply);
    }
    if (running) {
        return true;
    }
    bool startable = false;
    if (GVariant* reply = AskBus(bus, "ListActivatableNames", nullptr, "(as)")) {
        GVariantIter* names = nullptr;
        g_variant_get(reply, "(as)", &names);
        for (const gchar* name = nullptr; g_variant_iter_next(names, "&s", &name);) {
            startable = startable || g_strcmp0(name, kService) == 0;
        }
        g_variant_iter_free(names);
        g_variant_unref(reply);
    }
    return startable;
}

}  // namespace

bool GtkWindows::ShowNotification(const std::string& title, const std::string& body) {
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (bus == nullptr) {
        g_clear_error(&error);
        return false;
    }
    const bool available = ServiceAvailable(bus);
    if (available) {
        // The UI thread does not wait while the service starts or draws it.
        g_dbus_connection_call(bus, kService, kPath, kService, "Notify",
                               NotifyArguments(title, body), G_VARIANT_TYPE("(u)"),
                               G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, ForgetReply,
                               nullptr);
    }
    g_object_unref(bus);
    return available;
}

}  // namespace platform::gtk
