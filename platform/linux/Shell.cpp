#include "platform/Shell.h"

#include <gio/gio.h>
#include <spawn.h>
#include <sys/statvfs.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>

#include "common/TextConvert.h"
#include "platform/Process.h"

extern char** environ;

namespace platform {
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

// Only web pages: an address from elsewhere must not open local files or other handlers.
bool OpenWebAddress(const std::string& url) {
    if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) {
        return false;
    }
    return LaunchDefaultFor(url);
}

bool OpenFolder(const std::string& folder) {
    const std::string uri = FileUri(folder);
    return !uri.empty() && LaunchDefaultFor(uri);
}

bool ShowInFileManager(const std::string& filePath) {
    const std::string uri = FileUri(filePath);
    if (!uri.empty() && AskFileManagerToShow(uri)) {
        return true;
    }
    return OpenFolder(ParentFolder(filePath));
}

bool StartProgramBesideExecutable(const std::string& name, const std::vector<std::string>& args) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        return false;
    }
    const std::string executable = Utf16ToAnsi(ExecutablePath());
    const size_t slash = executable.rfind('/');
    if (slash == std::string::npos) {
        return false;
    }
    const std::string program = executable.substr(0, slash + 1) + name;
    std::vector<std::string> argStrings{program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    // Reaped when it ends, so it never lingers as a zombie of a long-running client.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

std::string DownloadsFolder() {
    if (const gchar* folder = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD)) {
        return folder;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr && *home != '\0' ? home : g_get_home_dir()) + "/Downloads";
}

bool FreeSpace(const std::string& path, uint64_t& bytes) {
    struct statvfs volume {};
    if (statvfs(path.c_str(), &volume) != 0) {
        return false;
    }
    bytes = static_cast<uint64_t>(volume.f_bavail) * volume.f_frsize;
    return true;
}

}  // namespace platform
