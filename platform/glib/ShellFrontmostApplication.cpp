#include "platform/glib/ShellFrontmostApplication.h"

#include "platform/glib/ShellExtensionBus.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

struct Focus {
    std::optional<std::string> appID;
    std::optional<std::string> objectPath;
};

std::optional<std::string> text(GVariant* window, const char* key) {
    const gchar* value = nullptr;
    if (!g_variant_lookup(window, key, "&s", &value) || !value || !*value)
        return std::nullopt;
    return std::string(value);
}

// nullopt when the extension did not answer; an empty Focus when no window has the focus.
std::optional<Focus> askExtension() {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return std::nullopt;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
        ShellExtensionBus::interfaceName, "GetFocus", nullptr, G_VARIANT_TYPE("(a{sv})"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, ShellExtensionBus::callTimeoutMs, nullptr, nullptr);
    g_object_unref(connection);
    if (!reply)
        return std::nullopt;
    GVariant* window = g_variant_get_child_value(reply, 0);
    Focus focus;
    // The Shell names applications by desktop file ("org.gnome.Nautilus.desktop"); the settings by id.
    focus.appID = text(window, "app-id");
    if (focus.appID && focus.appID->ends_with(".desktop"))
        focus.appID->erase(focus.appID->size() - std::string_view(".desktop").size());
    if (!focus.appID)
        focus.appID = text(window, "gtk-application-id");
    focus.objectPath = text(window, "gtk-window-object-path");
    g_variant_unref(window);
    g_variant_unref(reply);
    return focus;
}

} // namespace

std::optional<std::string> ShellFrontmostApplication::bundleIdentifier() {
    if (std::optional<Focus> focus = askExtension())
        return focus->appID;
    return fallback_.bundleIdentifier();
}

std::optional<std::string> ShellFrontmostApplication::windowObjectPath() {
    if (std::optional<Focus> focus = askExtension())
        return focus->objectPath;
    return fallback_.windowObjectPath();
}

} // namespace ondravell::platform
