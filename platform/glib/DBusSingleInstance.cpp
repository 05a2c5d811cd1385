#include "platform/glib/DBusSingleInstance.h"

#include <gio/gio.h>
#include <optional>

namespace ondravell::platform {

namespace {

constexpr const char* introspection = "<node>"
                                      "  <interface name='K3WQ9ZD7TM.dev.ondravell.Ondravell'>"
                                      "    <method name='Reopen'/>"
                                      "    <method name='Service'>"
                                      "      <arg type='s' name='entry' direction='in'/>"
                                      "      <arg type='aay' name='paths' direction='in'/>"
                                      "    </method>"
                                      "  </interface>"
                                      "</node>";
constexpr int callTimeoutMs = 5000;
// Replies of org.freedesktop.DBus.RequestName.
constexpr guint32 primaryOwner = 1;
constexpr guint32 alreadyOwner = 4;

ServiceRequest serviceRequest(GVariant* parameters) {
    ServiceRequest request;
    const gchar* entry = nullptr;
    GVariantIter* paths = nullptr;
    g_variant_get(parameters, "(&saay)", &entry, &paths);
    request.entry = entry ? entry : "";
    const gchar* path = nullptr;
    while (g_variant_iter_next(paths, "^&ay", &path))
        request.paths.emplace_back(path);
    g_variant_iter_free(paths);
    return request;
}

void handleMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* methodName,
                      GVariant* parameters, GDBusMethodInvocation* invocation, gpointer userData) {
    bool reopen = g_strcmp0(methodName, "Reopen") == 0;
    if (!reopen && g_strcmp0(methodName, "Service") != 0) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod",
                                                   "Unknown method");
        return;
    }
    auto* handlers = static_cast<SingleInstance::Handlers*>(userData);
    std::optional<ServiceRequest> request;
    if (!reopen)
        request = serviceRequest(parameters);
    // Answer first: the caller is a launch that waits for us before it ends.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    try {
        if (reopen && handlers->reopen)
            handlers->reopen();
        else if (request && handlers->service)
            handlers->service(std::move(*request));
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
}

GVariant* serviceParameters(const ServiceRequest& request) {
    GVariantBuilder paths;
    g_variant_builder_init(&paths, G_VARIANT_TYPE("aay"));
    for (const std::string& path : request.paths)
        // File names are bytes, not necessarily UTF-8, so they travel as byte strings (NUL-terminated;
        // a path cannot hold a NUL).
        g_variant_builder_add(&paths, "^ay", path.c_str());
    std::string entry = g_utf8_validate(request.entry.c_str(), -1, nullptr) ? request.entry : std::string();
    return g_variant_new("(saay)", entry.c_str(), &paths);
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

SingleInstance::Claim DBusSingleInstance::claim(Handlers handlers,
                                                const std::optional<ServiceRequest>& request) {
    if (!connection_)
        return Claim::unavailable;
    // The object is in place before the name is taken, so a launch that sees the name can call it.
    handlers_ = std::make_unique<Handlers>(std::move(handlers));
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection, nullptr);
    if (node) {
        registration_ = g_dbus_connection_register_object(connection_, objectPath, node->interfaces[0],
                                                          &vtable, handlers_.get(), nullptr, nullptr);
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
    if (request)
        forwardToRunningInstance(*request);
    else
        reopenRunningInstance();
    return Claim::secondary;
}

bool DBusSingleInstance::reopenRunningInstance() {
    return callRunningInstance("Reopen", nullptr);
}

bool DBusSingleInstance::forwardToRunningInstance(const ServiceRequest& request) {
    return callRunningInstance("Service", serviceParameters(request));
}

bool DBusSingleInstance::callRunningInstance(const char* method, GVariant* parameters) {
    if (!connection_) {
        if (parameters)
            g_variant_unref(g_variant_ref_sink(parameters));
        return false;
    }
    // Without an owner of the name the bus answers at once with an error.
    GVariant* result = g_dbus_connection_call_sync(connection_, busName, objectPath, interfaceName, method,
                                                   parameters, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
                                                   callTimeoutMs, nullptr, nullptr);
    if (!result)
        return false;
    g_variant_unref(result);
    return true;
}

} // namespace ondravell::platform
