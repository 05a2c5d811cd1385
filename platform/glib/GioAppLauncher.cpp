#include "platform/glib/GioAppLauncher.h"

#include "platform/glib/DesktopAppLookup.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

namespace ondravell::platform {

namespace {

constexpr const char* busActivationKey = "DBusActivatable";

// The same application, always started as a process of its own, so it inherits the working directory.
GDesktopAppInfo* spawnedCopy(GAppInfo* app) {
    const char* filename =
        G_IS_DESKTOP_APP_INFO(app) ? g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(app)) : nullptr;
    if (!filename)
        return nullptr;
    GKeyFile* keyFile = g_key_file_new();
    GDesktopAppInfo* copy = nullptr;
    if (g_key_file_load_from_file(keyFile, filename, G_KEY_FILE_NONE, nullptr)) {
        g_key_file_remove_key(keyFile, G_KEY_FILE_DESKTOP_GROUP, busActivationKey, nullptr);
        copy = g_desktop_app_info_new_from_keyfile(keyFile);
    }
    g_key_file_free(keyFile);
    return copy;
}

// Runs in the child between fork and exec, after the desktop file's own Path= is applied: chdir is
// async-signal-safe, and a folder that vanished meanwhile leaves the child where it was.
void enterFolder(gpointer folder) {
    if (::chdir(static_cast<const char*>(folder)) != 0)
        return;
}

} // namespace

bool GioAppLauncher::isInstalled(std::string_view bundleID) const {
    GAppInfo* app = lookUpDesktopApp(bundleID);
    if (!app)
        return false;
    g_object_unref(app);
    return true;
}

bool GioAppLauncher::openTerminal(std::string_view bundleID, const std::filesystem::path& folder) {
    GAppInfo* app = lookUpDesktopApp(bundleID);
    if (!app)
        return false;
    GDesktopAppInfo* spawned = spawnedCopy(app);
    g_object_unref(app);
    if (!spawned)
        return false;
    std::string directory = folder.native();
    gboolean launched =
        g_desktop_app_info_launch_uris_as_manager(spawned, nullptr, nullptr, G_SPAWN_SEARCH_PATH, enterFolder,
                                                  directory.data(), nullptr, nullptr, nullptr);
    g_object_unref(spawned);
    return launched;
}

bool GioAppLauncher::openFiles(std::string_view bundleID, const std::vector<std::filesystem::path>& targets) {
    GAppInfo* app = lookUpDesktopApp(bundleID);
    if (!app)
        return false;
    GList* uris = nullptr;
    for (const std::filesystem::path& target : targets)
        if (gchar* uri = g_filename_to_uri(target.c_str(), nullptr, nullptr))
            uris = g_list_append(uris, uri);
    gboolean launched = uris && g_app_info_launch_uris(app, uris, nullptr, nullptr);
    g_list_free_full(uris, g_free);
    g_object_unref(app);
    return launched;
}

} // namespace ondravell::platform
