#include "tests/App/FakeStatusNotifierWatcher.h"

#include <gio/gio.h>

namespace ondravell::test {

namespace {

constexpr const char* watcherName = "org.kde.StatusNotifierWatcher";
constexpr const char* watcherXml =
    "<node>"
    "  <interface name='org.kde.StatusNotifierWatcher'>"
    "    <method name='RegisterStatusNotifierItem'>"
    "      <arg name='service' type='s' direction='in'/>"
    "    </method>"
    "    <method name='RegisterStatusNotifierHost'>"
    "      <arg name='service' type='s' direction='in'/>"
    "    </method>"
    "    <property name='RegisteredStatusNotifierItems' type='as' access='read'/>"
    "    <property name='IsStatusNotifierHostRegistered' type='b' access='read'/>"
    "    <property name='ProtocolVersion' type='i' access='read'/>"
    "  </interface>"
    "</node>";

void callMethod(GDBusConnection*, const gchar* sender, const gchar*, const gchar*, const gchar* method,
                GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
    if (g_strcmp0(method, "RegisterStatusNotifierItem") == 0) {
        const gchar* service = nullptr;
        g_variant_get(parameters, "(&s)", &service);
        static_cast<FakeStatusNotifierWatcher*>(self)->registerItem(sender, service);
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

GVariant* getProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
                      GError**, gpointer) {
    if (g_strcmp0(property, "IsStatusNotifierHostRegistered") == 0)
        return g_variant_new_boolean(TRUE);
    if (g_strcmp0(property, "ProtocolVersion") == 0)
        return g_variant_new_int32(0);
    return g_variant_new_strv(nullptr, 0);
}

} // namespace

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher() {
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus_)
        return;
    // Calls are dispatched to the context that is the thread's default when the object is registered.
    context_ = g_main_context_new();
    loop_ = g_main_loop_new(context_, FALSE);
    g_main_context_push_thread_default(context_);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(watcherXml, nullptr);
    static const GDBusInterfaceVTable vtable{callMethod, getProperty, nullptr, {}};
    object_ = g_dbus_connection_register_object(bus_, "/StatusNotifierWatcher", node->interfaces[0], &vtable,
                                                this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    g_main_context_pop_thread_default(context_);
    thread_ = std::thread([loop = loop_] { g_main_loop_run(loop); });

    GVariant* reply = g_dbus_connection_call_sync(
        bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", watcherName, 4u /* DBUS_NAME_FLAG_DO_NOT_QUEUE */), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    if (reply) {
        guint32 result = 0;
        g_variant_get(reply, "(u)", &result);
        serving_ = object_ != 0 && result == 1 /* DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER */;
        g_variant_unref(reply);
    }
}

FakeStatusNotifierWatcher::~FakeStatusNotifierWatcher() {
    if (!bus_)
        return;
    GVariant* reply = g_dbus_connection_call_sync(
        bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ReleaseName",
        g_variant_new("(s)", watcherName), nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    if (reply)
        g_variant_unref(reply);
    if (object_)
        g_dbus_connection_unregister_object(bus_, object_);
    g_main_loop_quit(loop_);
    thread_.join();
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
    g_object_unref(bus_);
}

void FakeStatusNotifierWatcher::registerItem(const std::string& sender, const std::string& service) {
    // An item names either its bus name (its object then sits at the usual path) or its object path.
    Item item = service.starts_with('/') ? Item{sender, service} : Item{service, "/StatusNotifierItem"};
    std::lock_guard lock(mutex_);
    if (!item_)
        item_ = std::move(item);
}

std::optional<FakeStatusNotifierWatcher::Item> FakeStatusNotifierWatcher::registeredItem() const {
    std::lock_guard lock(mutex_);
    return item_;
}

std::optional<std::string> FakeStatusNotifierWatcher::itemText(const Item& item, const char* property) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus)
        return std::nullopt;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, item.busName.c_str(), item.objectPath.c_str(), "org.freedesktop.DBus.Properties", "Get",
        g_variant_new("(ss)", "org.kde.StatusNotifierItem", property), G_VARIANT_TYPE("(v)"),
        G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    g_object_unref(bus);
    if (!reply)
        return std::nullopt;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    std::optional<std::string> text;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        text = g_variant_get_string(value, nullptr);
    else if (g_variant_is_of_type(value, G_VARIANT_TYPE("(sa(iiay)ss)"))) {
        const gchar* title = nullptr;
        g_variant_get_child(value, 2, "&s", &title);
        text = title;
    }
    g_variant_unref(value);
    g_variant_unref(reply);
    return text;
}

} // namespace ondravell::test
