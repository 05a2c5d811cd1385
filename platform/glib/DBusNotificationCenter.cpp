#include "platform/glib/DBusNotificationCenter.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

void deliver(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant*,
             gpointer userData) {
    auto* observer = static_cast<DistributedNotificationCenter::Observer*>(userData);
    try {
        (*observer)();
    } catch (...) {
        // An observer's failure must not unwind through GLib's dispatch.
    }
}

void freeObserver(gpointer userData) {
    delete static_cast<DistributedNotificationCenter::Observer*>(userData);
}

} // namespace

DBusNotificationCenter::SignalAddress DBusNotificationCenter::addressFor(const std::string& name) {
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {};
    SignalAddress address{name.substr(0, dot), name.substr(dot + 1), "/"};
    for (char c : address.interfaceName)
        address.objectPath += (c == '.') ? '/' : c;
    if (!g_dbus_is_interface_name(address.interfaceName.c_str()) ||
        !g_dbus_is_member_name(address.member.c_str()) ||
        !g_variant_is_object_path(address.objectPath.c_str()))
        return {};
    return address;
}

DBusNotificationCenter::DBusNotificationCenter() {
    GError* error = nullptr;
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (error)
        g_error_free(error);
    if (connection_)
        g_dbus_connection_set_exit_on_close(connection_, FALSE);
}

DBusNotificationCenter::~DBusNotificationCenter() {
    if (!connection_)
        return;
    std::lock_guard lock(mutex_);
    for (const auto& [token, id] : subscriptions_)
        g_dbus_connection_signal_unsubscribe(connection_, id);
    subscriptions_.clear();
    g_object_unref(connection_);
}

void DBusNotificationCenter::post(const std::string& name) {
    SignalAddress address = addressFor(name);
    if (!connection_ || address.member.empty())
        return;
    // Only queued: the connection's own thread sends it. Posts come from workers of the file manager,
    // whose connection this is; a flush would make them wait until GIO's shared thread pool, which the
    // file manager keeps busy with calls on this very connection, finishes it.
    g_dbus_connection_emit_signal(connection_, nullptr, address.objectPath.c_str(),
                                  address.interfaceName.c_str(), address.member.c_str(), nullptr, nullptr);
}

bool DBusNotificationCenter::waitUntilDelivered(std::chrono::milliseconds limit) {
    if (!connection_)
        return false;
    // The bus answers in the order it reads, and reads what was queued before this call first. A
    // round trip, unlike a flush, ends when its time is up.
    GVariant* reply = g_dbus_connection_call_sync(connection_, "org.freedesktop.DBus",
                                                  "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId",
                                                  nullptr, G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE,
                                                  static_cast<int>(limit.count()), nullptr, nullptr);
    if (!reply)
        return false;
    g_variant_unref(reply);
    return true;
}

DistributedNotificationCenter::Token DBusNotificationCenter::addObserver(const std::string& name,
                                                                         Observer observer) {
    SignalAddress address = addressFor(name);
    if (!connection_ || address.member.empty() || !observer)
        return 0;
    unsigned id = g_dbus_connection_signal_subscribe(connection_, nullptr, address.interfaceName.c_str(),
                                                     address.member.c_str(), address.objectPath.c_str(),
                                                     nullptr, G_DBUS_SIGNAL_FLAGS_NONE, deliver,
                                                     new Observer(std::move(observer)), freeObserver);
    if (id == 0)
        return 0;
    std::lock_guard lock(mutex_);
    Token token = nextToken_++;
    subscriptions_.emplace(token, id);
    return token;
}

void DBusNotificationCenter::removeObserver(Token token) {
    std::lock_guard lock(mutex_);
    auto it = subscriptions_.find(token);
    if (it == subscriptions_.end())
        return;
    if (connection_)
        g_dbus_connection_signal_unsubscribe(connection_, it->second);
    subscriptions_.erase(it);
}

} // namespace ondravell::platform
