#include "platform/glib/ShellFrontmostApplication.h"

#include "platform/glib/ShellExtensionBus.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

std::optional<std::string> text(GVariant* window, const char* key) {
    const gchar* value = nullptr;
    if (!g_variant_lookup(window, key, "&s", &value) || !value || !*value)
        return std::nullopt;
    return std::string(value);
}

ShellFrontmostApplication::Focus focusOf(GVariant* window) {
    ShellFrontmostApplication::Focus focus;
    // The Shell names applications by desktop file ("org.gnome.Nautilus.desktop"); the settings by id.
    focus.appID = text(window, "app-id");
    if (focus.appID && focus.appID->ends_with(".desktop"))
        focus.appID->erase(focus.appID->size() - std::string_view(".desktop").size());
    if (!focus.appID)
        focus.appID = text(window, "gtk-application-id");
    focus.objectPath = text(window, "gtk-window-object-path");
    gint32 pid = 0;
    if (g_variant_lookup(window, "pid", "i", &pid) && pid > 0)
        focus.pid = pid;
    return focus;
}

void onFocus(GDBusConnection*, const gchar* sender, const gchar*, const gchar*, const gchar*,
             GVariant* parameters, gpointer data) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ba{sv})")))
        return;
    gboolean known = FALSE;
    GVariant* window = nullptr;
    g_variant_get(parameters, "(b@a{sv})", &known, &window);
    auto* self = static_cast<ShellFrontmostApplication*>(data);
    try {
        if (known)
            self->focusChanged(sender, focusOf(window));
        else
            self->focusChanged(sender, std::nullopt);
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
    g_variant_unref(window);
}

// The Shell's connection now, asked of the bus itself (which answers at once, whatever the Shell does).
std::string currentOwner(GDBusConnection* connection, const char* name) {
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
        g_variant_new("(s)", name), G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
    if (!reply)
        return {};
    const gchar* owner = nullptr;
    g_variant_get(reply, "(&s)", &owner);
    std::string result = owner;
    g_variant_unref(reply);
    return result;
}

} // namespace

ShellFrontmostApplication::ShellFrontmostApplication(FrontmostApplication& fallback) : fallback_(fallback) {
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection_)
        return;
    // The extension sends its first signal the moment this process owns the program's name, which may
    // be before the event loop ever ran: the subscription and the Shell's connection are known first.
    shellOwner_ = currentOwner(connection_, ShellExtensionBus::busName);
    subscription_ = g_dbus_connection_signal_subscribe(connection_, nullptr, ShellExtensionBus::interfaceName,
                                                       "Focus", ShellExtensionBus::objectPath, nullptr,
                                                       G_DBUS_SIGNAL_FLAGS_NONE, onFocus, this, nullptr);
    shellWatch_ = g_bus_watch_name_on_connection(
        connection_, ShellExtensionBus::busName, G_BUS_NAME_WATCHER_FLAGS_NONE,
        [](GDBusConnection*, const gchar*, const gchar* owner, gpointer data) {
            static_cast<ShellFrontmostApplication*>(data)->shellChanged(owner);
        },
        [](GDBusConnection*, const gchar*, gpointer data) {
            static_cast<ShellFrontmostApplication*>(data)->shellChanged(nullptr);
        },
        this, nullptr);
}

ShellFrontmostApplication::~ShellFrontmostApplication() {
    if (!connection_)
        return;
    g_bus_unwatch_name(shellWatch_);
    g_dbus_connection_signal_unsubscribe(connection_, subscription_);
    g_object_unref(connection_);
}

void ShellFrontmostApplication::shellChanged(const char* uniqueName) {
    const std::string owner = uniqueName ? uniqueName : "";
    if (owner == shellOwner_)
        return;
    shellOwner_ = owner;
    focus_.reset();
    ++focusChanges_;
    extensionRuns_.reset();
    // Whatever ran in the Shell before is gone; one in a new Shell tells of itself.
    if (extensionChanged_) {
        try {
            extensionChanged_(false);
        } catch (...) {
            // Called from GLib's dispatch, which nothing may unwind through.
        }
    }
}

void ShellFrontmostApplication::focusChanged(const char* sender, std::optional<Focus> focus) {
    // Only the Shell's own connection speaks for it: any process may send a signal of this name.
    if (shellOwner_.empty() || g_strcmp0(sender, shellOwner_.c_str()) != 0)
        return;
    const bool runs = focus.has_value();
    const bool changed = extensionRuns_ != runs;
    extensionRuns_ = runs;
    focus_ = std::move(focus);
    ++focusChanges_;
    if (changed && extensionChanged_)
        extensionChanged_(runs);
    if (runs && focusChanged_)
        focusChanged_();
}

std::optional<std::uint64_t> ShellFrontmostApplication::focusSerial() const {
    if (!focus_)
        return std::nullopt;
    return focusChanges_;
}

std::optional<std::string> ShellFrontmostApplication::bundleIdentifier() {
    if (focus_)
        return focus_->appID;
    return fallback_.bundleIdentifier();
}

std::optional<std::string> ShellFrontmostApplication::windowObjectPath() {
    if (focus_)
        return focus_->objectPath;
    return fallback_.windowObjectPath();
}

std::optional<std::int64_t> ShellFrontmostApplication::processId() {
    if (focus_)
        return focus_->pid;
    return fallback_.processId();
}

} // namespace ondravell::platform
