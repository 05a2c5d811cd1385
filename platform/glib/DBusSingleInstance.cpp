#include "platform/glib/DBusSingleInstance.h"

#include <gio/gio.h>
#include <optional>

namespace ondravell::platform {

namespace {

constexpr const char* introspection = "<node>"
                                      "  <interface name='K3WQ9ZD7TM.dev.ondravell.Ondravell'>"
                                      "    <method name='Reopen'/>"
                                      "  </interface>"
                                      "</node>";
constexpr int callTimeoutMs = 5000;
// Replies of org.freedesktop.DBus.RequestName.
constexpr guint32 primaryOwner = 1;
constexpr guint32 alreadyOwner = 4;

void handleMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* methodName,
                      GVariant*, GDBusMethodInvocation* invocation, gpointer userData) {
    if (g_strcmp0(methodName, "Reopen") != 0) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod",
                                                   "Unknown method");
        return;
    }
    // Answer first: the caller is a launch that waits for us before it ends.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    auto* onReopen = static_cast<std::function<void()>*>(userData);
    try {
        if (*onReopen)
            (*onReopen)();
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
}

const GDBusInterfaceVTable vtable = {handleMethodCall, nullptr, nullptr, {}};

std::optional<guint32> requestName(GDBusConnection* connection) {
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", DBusSingleInstance::busName, 4u /* DBUS_NAME_FLAG_DO_NOT_QUEUE */),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr);
    if (!reply)
        return std::nullopt;
    guint32 result = 0;
    g_variant_get(reply, "(u)", &result);
    g_variant_unref(reply);
    return result;
}

} // namespace

DBusSingleInstance::DBusSingleInstance() {
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (connection_)
        g_dbus_connection_set_exit_on_close(connection_, FALSE);
}

DBusSingleInstance::~DBusSingleInstance() {
    if (!connection_)
        return;
    if (registration_)
        g_dbus_connection_unregister_object(connection_, registration_);
    g_object_unref(connection_);
}

SingleInstance::Claim DBusSingleInstance::claim(std::function<void()> onReopen) {
    if (!connection_)
        return Claim::unavailable;
    // The object is in place before the name is taken, so a launch that sees the name can call it.
    onReopen_ = std::make_unique<std::function<void()>>(std::move(onReopen));
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection, nullptr);
    if (node) {
        registration_ = g_dbus_connection_register_object(connection_, objectPath, node->interfaces[0],
                                                          &vtable, onReopen_.get(), nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }
    std::optional<guint32> reply = requestName(connection_);
    if (!reply)
        return Claim::unavailable;
    if (*reply == primaryOwner || *reply == alreadyOwner)
        return Claim::primary;

    if (registration_) {
        g_dbus_connection_unregister_object(connection_, registration_);
        registration_ = 0;
    }
    reopenRunningInstance();
    return Claim::secondary;
}

bool DBusSingleInstance::reopenRunningInstance() {
    if (!connection_)
        return false;
    // Without an owner of the name the bus answers at once with an error.
    GVariant* result = g_dbus_connection_call_sync(connection_, busName, objectPath, interfaceName, "Reopen",
                                                   nullptr, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
                                                   callTimeoutMs, nullptr, nullptr);
    if (!result)
        return false;
    g_variant_unref(result);
    return true;
}

} // namespace ondravell::platform
