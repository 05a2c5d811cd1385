#pragma once

#include <gio/gio.h>

namespace ondravell::platform {

// Watches whether this process (its connection `connection`) owns the well-known `name`: calls
// `target->ownershipChanged(bool)` in the calling thread's main context at once when that is known and
// at every change. The returned id goes to g_bus_unwatch_name before `target` goes.
template <class Target>
unsigned watchNameOwnership(GDBusConnection* connection, const char* name, Target* target) {
    return g_bus_watch_name_on_connection(
        connection, name, G_BUS_NAME_WATCHER_FLAGS_NONE,
        [](GDBusConnection* watched, const gchar*, const gchar* owner, gpointer data) {
            static_cast<Target*>(data)->ownershipChanged(
                g_strcmp0(owner, g_dbus_connection_get_unique_name(watched)) == 0);
        },
        [](GDBusConnection*, const gchar*, gpointer data) {
            static_cast<Target*>(data)->ownershipChanged(false);
        },
        target, nullptr);
}

} // namespace ondravell::platform
