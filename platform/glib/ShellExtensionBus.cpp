#include "platform/glib/ShellExtensionBus.h"

#include <cstring>
#include <gio/gio.h>

namespace ondravell::platform {

bool ShellExtensionBus::answers() {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return false;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, busName, objectPath, "org.freedesktop.DBus.Introspectable", "Introspect", nullptr,
        G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, nullptr);
    g_object_unref(connection);
    if (!reply)
        return false;
    const gchar* xml = nullptr;
    g_variant_get(reply, "(&s)", &xml);
    const bool found = xml && std::strstr(xml, interfaceName) != nullptr;
    g_variant_unref(reply);
    return found;
}

} // namespace ondravell::platform
