#include <gio/gio.h>

#include "platform/linux/GtkWindows.h"

// The desktop's shell: the browser and the file manager through GIO and the session bus.
namespace platform::gtk {
namespace {

constexpr int kFileManagerTimeoutMs = 3000;

bool LaunchDefaultFor(const std::string& uri) {
    GError* error = nullptr;
    const gboolean launched = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    return launched != FALSE;
}

std::string FileUri(const std::string& path) {
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (uri == nullptr) {
        return {};
    }
    std::string result(uri);
    g_free(uri);
    return result;
}

std::string ParentFolder(const std::string& path) {
    gchar* folder = g_path_get_dirname(path.c_str());
    std::string result(folder);
    g_free(folder);
    return result;
}

bool AskFileManagerToShow(const std::string& uri) {
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (bus == nullptr) {
        g_clear_error(&error);
        return false;
    }
    const gchar* uris[] = {uri.c_str(), nullptr};
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
        "org.freedesktop.FileManager1", "ShowItems", g_variant_new("(^ass)", uris, ""), nullptr,
        G_DBUS_CALL_FLAGS_NONE, kFileManagerTimeoutMs, nullptr, &error);
    g_object_unref(bus);
    if (reply == nullptr) {
        g_clear_error(&error);
        return false;
    }
    g_variant_unref(reply);
    return true;
}

}  // namespace

bool GtkWindows::OpenWebAddress(const std::string& url) {
    return LaunchDefaultFor(url);
}

bool GtkWindows::OpenFolder(const std::string& folder) {
    const std::string uri = FileUri(folder);
    return !uri.empty() && LaunchDefaultFor(uri);
}

bool GtkWindows::ShowInFileManager(const std::string& filePath) {
    const std::string uri = FileUri(filePath);
    if (!uri.empty() && AskFileManagerToShow(uri)) {
        return true;
    }
    return OpenFolder(ParentFolder(filePath));
}

}  // namespace platform::gtk
