#pragma once

#include <gio/gio.h>
#include <optional>

namespace ondravell::platform {

// The end of an asynchronous D-Bus call: the reply (the caller unrefs it), nullptr for a call that
// failed, and nullopt for one that was cancelled, whose caller may be gone and must not be told.
inline std::optional<GVariant*> finishDBusCall(GObject* source, GAsyncResult* result) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (reply)
        return reply;
    const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
    g_error_free(error);
    if (cancelled)
        return std::nullopt;
    return nullptr;
}

} // namespace ondravell::platform
