#include "platform/glib/ShellGlobalMouseMonitors.h"

#include "platform/glib/ShellExtensionBus.h"

#include <cstring>
#include <gio/gio.h>

namespace ondravell::platform {

namespace {

void onPointer(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
               gpointer data) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(siib)")))
        return;
    const gchar* gesture = nullptr;
    gint32 x = 0, y = 0;
    gboolean x11 = FALSE;
    g_variant_get(parameters, "(&siib)", &gesture, &x, &y, &x11);
    try {
        static_cast<ShellGlobalMouseMonitors*>(data)->reported(gesture, x, y, x11);
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
}

} // namespace

ShellGlobalMouseMonitors::ShellGlobalMouseMonitors(GlobalMouseMonitors& x11) : x11_(x11) {
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection_)
        return;
    // Only the Shell's connection speaks for the extension.
    subscription_ = g_dbus_connection_signal_subscribe(
        connection_, ShellExtensionBus::busName, ShellExtensionBus::interfaceName, "Pointer",
        ShellExtensionBus::objectPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE, onPointer, this, nullptr);
}

ShellGlobalMouseMonitors::~ShellGlobalMouseMonitors() {
    for (const auto& [token, x11Token] : x11Tokens_)
        if (x11Token)
            x11_.remove(*x11Token);
    if (!connection_)
        return;
    g_dbus_connection_signal_unsubscribe(connection_, subscription_);
    g_object_unref(connection_);
}

std::optional<GlobalMouseMonitors::Token> ShellGlobalMouseMonitors::install(Kind kind, Handler handler) {
    std::optional<Token> x11Token = x11_.install(kind, handler);
    if (!x11Token && !connection_)
        return std::nullopt;
    Token token = table_.add(kind, std::move(handler));
    x11Tokens_[token] = x11Token;
    return token;
}

void ShellGlobalMouseMonitors::remove(Token token) {
    auto it = x11Tokens_.find(token);
    if (it == x11Tokens_.end())
        return;
    if (it->second)
        x11_.remove(*it->second);
    x11Tokens_.erase(it);
    table_.remove(token);
}

void ShellGlobalMouseMonitors::reported(const char* gesture, double x, double y, bool overX11Window) {
    if (overX11Window || !gesture)
        return;
    std::optional<Kind> kind;
    if (std::strcmp(gesture, "press") == 0)
        kind = Kind::leftMouseDown;
    else if (std::strcmp(gesture, "right-press") == 0)
        kind = Kind::rightMouseDown;
    else if (std::strcmp(gesture, "scroll") == 0)
        kind = Kind::scrollWheel;
    if (kind)
        table_.dispatch(*kind, Event{x, y, 1, 0});
}

} // namespace ondravell::platform
