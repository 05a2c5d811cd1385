#include "platform/glib/ShellExtensionBus.h"

#include <cstring>
#include <gio/gio.h>
#include <memory>

namespace ondravell::platform {

namespace {

constexpr const char* introspectable = "org.freedesktop.DBus.Introspectable";

// Whether the introspection `reply` names the extension's interface; takes the reply.
bool namesTheInterface(GVariant* reply) {
    if (!reply)
        return false;
    const gchar* xml = nullptr;
    g_variant_get(reply, "(&s)", &xml);
    const bool found = xml && std::strstr(xml, ShellExtensionBus::interfaceName) != nullptr;
    g_variant_unref(reply);
    return found;
}

} // namespace

bool ShellExtensionBus::answers() {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return false;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, busName, objectPath, introspectable, "Introspect", nullptr, G_VARIANT_TYPE("(s)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, nullptr);
    g_object_unref(connection);
    return namesTheInterface(reply);
}

void ShellExtensionBus::askWhetherAnswers(std::function<void(bool)> done) {
    auto* waiting = new std::function<void(bool)>(std::move(done));
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection) {
        g_idle_add_full(
            G_PRIORITY_DEFAULT,
            [](gpointer data) {
                (*static_cast<std::function<void(bool)>*>(data))(false);
                return G_SOURCE_REMOVE;
            },
            waiting, [](gpointer data) { delete static_cast<std::function<void(bool)>*>(data); });
        return;
    }
    g_dbus_connection_call(
        connection, busName, objectPath, introspectable, "Introspect", nullptr, G_VARIANT_TYPE("(s)"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(bool)>> done(static_cast<std::function<void(bool)>*>(data));
            GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
            (*done)(namesTheInterface(reply));
        },
        waiting);
    g_object_unref(connection);
}

} // namespace ondravell::platform
