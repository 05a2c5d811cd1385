#include "platform/glib/DBusFileManagerWindows.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {
// The file manager answers from memory; a longer wait means it hangs.
constexpr int callTimeoutMs = 500;
} // namespace

std::optional<std::filesystem::path>
DBusFileManagerWindows::folderOfWindow(const std::string& windowObjectPath) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return std::nullopt;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
        "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", "org.freedesktop.FileManager1", "OpenWindowsWithLocations"),
        G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, nullptr);
    g_object_unref(connection);
    if (!reply)
        return std::nullopt;
    std::optional<std::filesystem::path> folder;
    GVariant* windows = nullptr;
    g_variant_get(reply, "(v)", &windows);
    if (windows && g_variant_is_of_type(windows, G_VARIANT_TYPE("a{sas}"))) {
        GVariant* locations = g_variant_lookup_value(windows, windowObjectPath.c_str(), G_VARIANT_TYPE("as"));
        if (locations && g_variant_n_children(locations) > 0) {
            const gchar* uri = nullptr;
            g_variant_get_child(locations, 0, "&s", &uri);
            if (gchar* path = g_filename_from_uri(uri, nullptr, nullptr)) {
                folder = std::filesystem::path(path);
                g_free(path);
            }
        }
        if (locations)
            g_variant_unref(locations);
    }
    if (windows)
        g_variant_unref(windows);
    g_variant_unref(reply);
    return folder;
}

} // namespace ondravell::platform
