#include "platform/glib/ShellKeySynthesizer.h"

#include "platform/glib/ShellExtensionBus.h"

#include <gio/gio.h>
#include <memory>

namespace ondravell::platform {

namespace {

struct SendCall {
    ShellKeySynthesizer* owner;
    KeySynthesizer::Shortcut shortcut;
};

void onSent(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<SendCall> call(static_cast<SendCall*>(data));
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (reply) {
        g_variant_unref(reply);
        return;
    }
    // Cancelled: the synthesiser is gone. Timed out: a stuck Shell may still press the keys once it
    // runs again, and XTest keys wait for the same Shell, so sending them too could paste twice.
    const bool nothingMore = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED) ||
                             g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT);
    g_error_free(error);
    if (!nothingMore)
        call->owner->fallback().send(call->shortcut);
}

} // namespace

ShellKeySynthesizer::ShellKeySynthesizer(KeySynthesizer& fallback)
    : fallback_(fallback), cancellable_(g_cancellable_new()) {}

ShellKeySynthesizer::~ShellKeySynthesizer() {
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
}

bool ShellKeySynthesizer::send(Shortcut shortcut) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection)
        return fallback_.send(shortcut);
    const char* name = shortcut == Shortcut::copy ? "copy" : "paste";
    // The answer comes in the calling thread's main context, which is the event loop's.
    g_dbus_connection_call(connection, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
                           ShellExtensionBus::interfaceName, "SendKeys", g_variant_new("(s)", name),
                           G_VARIANT_TYPE_UNIT, G_DBUS_CALL_FLAGS_NO_AUTO_START, answerLimitMs, cancellable_,
                           onSent, new SendCall{this, shortcut});
    g_object_unref(connection);
    return true;
}

} // namespace ondravell::platform
