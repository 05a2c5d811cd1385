#include "platform/glib/ShellPointerPosition.h"

#include "platform/glib/DBusCallReply.h"
#include "platform/glib/ShellExtensionBus.h"

#include <gio/gio.h>
#include <memory>

namespace ondravell::platform {

namespace {

using Done = std::function<void(std::optional<PointerPosition::Point>)>;

void answered(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Done> done(static_cast<Done*>(data));
    std::optional<GVariant*> reply = finishDBusCall(source, result);
    if (!reply)
        return;
    if (!*reply) {
        (*done)(std::nullopt);
        return;
    }
    gint32 x = 0, y = 0;
    guint32 mask = 0;
    g_variant_get(*reply, "(iiu)", &x, &y, &mask);
    g_variant_unref(*reply);
    (*done)(PointerPosition::Point{double(x), double(y)});
}

} // namespace

ShellPointerPosition::ShellPointerPosition() : cancellable_(g_cancellable_new()) {}

ShellPointerPosition::~ShellPointerPosition() {
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
}

void ShellPointerPosition::locate(std::function<void(std::optional<Point>)> done) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection) {
        done(std::nullopt);
        return;
    }
    // The answer comes in the calling thread's main context, which is the event loop's.
    g_dbus_connection_call(connection, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
                           ShellExtensionBus::interfaceName, "GetPointer", nullptr, G_VARIANT_TYPE("(iiu)"),
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, answerLimitMs, cancellable_, answered,
                           new Done(std::move(done)));
    g_object_unref(connection);
}

} // namespace ondravell::platform
