#include "tests/platform/glib/SessionBusTesting.h"

#include <gio/gio.h>

namespace ondravell::test {

bool nameHasOwner(const char* name) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return false;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
        g_variant_new("(s)", name), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    g_object_unref(bus);
    gboolean owned = FALSE;
    if (reply) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    return owned;
}

GDBusConnection* newBusConnection() {
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!address)
        return nullptr;
    GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
        address,
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    g_free(address);
    return connection;
}

bool runMainContextUntil(const std::function<bool()>& done, int limitMs) {
    const gint64 giveUp = g_get_monotonic_time() + gint64(limitMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() >= giveUp)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    }
    return true;
}

void drainMainContext() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

} // namespace ondravell::test
