#include "platform/glib/ShellKeySynthesizer.h"

#include "platform/glib/ShellExtensionBus.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

enum class ShellAnswer { sent, absent, stuck };

ShellAnswer sendThroughShell(KeySynthesizer::Shortcut shortcut) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return ShellAnswer::absent;
    const char* name = shortcut == KeySynthesizer::Shortcut::copy ? "copy" : "paste";
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
        ShellExtensionBus::interfaceName, "SendKeys", g_variant_new("(s)", name), G_VARIANT_TYPE_UNIT,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, ShellKeySynthesizer::answerLimitMs, nullptr, &error);
    g_object_unref(connection);
    if (!reply) {
        const bool stuck = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT);
        g_error_free(error);
        return stuck ? ShellAnswer::stuck : ShellAnswer::absent;
    }
    g_variant_unref(reply);
    return ShellAnswer::sent;
}

} // namespace

bool ShellKeySynthesizer::send(Shortcut shortcut) {
    switch (sendThroughShell(shortcut)) {
    case ShellAnswer::sent:
        return true;
    case ShellAnswer::absent:
        return fallback_.send(shortcut);
    case ShellAnswer::stuck:
        // A stuck Shell may still press the keys once it runs again, and XTest keys wait for the same
        // Shell: sending them too could paste twice.
        return false;
    }
    return false;
}

} // namespace ondravell::platform
