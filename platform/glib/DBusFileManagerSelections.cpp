#include "platform/glib/DBusFileManagerSelections.h"

#include "platform/glib/DBusCallReply.h"

#include <gio/gio.h>
#include <memory>

namespace ondravell::platform {

namespace {

// The module answers from memory on the file manager's main thread; a longer wait means it is busy
// or hangs, and the hot key falls back rather than waits.
constexpr int callTimeoutMs = 400;

std::optional<std::filesystem::path> localPath(const gchar* uri) {
    if (!uri || !*uri)
        return std::nullopt;
    gchar* path = g_filename_from_uri(uri, nullptr, nullptr);
    if (!path)
        return std::nullopt;
    std::filesystem::path result(path);
    g_free(path);
    return result;
}

// The entry for `wanted`, or the first one when no window is named.
std::optional<FileManagerWindowState> pick(GVariant* windows, const std::optional<std::string>& wanted) {
    GVariantIter iter;
    g_variant_iter_init(&iter, windows);
    const gchar* window = nullptr;
    const gchar* folder = nullptr;
    GVariantIter* selected = nullptr;
    while (g_variant_iter_next(&iter, "(&s&sas)", &window, &folder, &selected)) {
        if (!wanted || *wanted == window) {
            FileManagerWindowState state{window, localPath(folder), {}};
            const gchar* uri = nullptr;
            while (g_variant_iter_next(selected, "&s", &uri))
                if (std::optional<std::filesystem::path> path = localPath(uri))
                    state.selectedFiles.push_back(std::move(*path));
            g_variant_iter_free(selected);
            return state;
        }
        g_variant_iter_free(selected);
    }
    return std::nullopt;
}

struct PendingCall {
    std::optional<std::string> window;
    FileManagerSelections::Handler handler;
};

void onReply(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<PendingCall> call(static_cast<PendingCall*>(data));
    std::optional<GVariant*> finished = finishDBusCall(source, result);
    if (!finished)
        return; // the service is gone, and so may be what the handler refers to
    GVariant* reply = *finished;
    if (!reply) {
        call->handler(std::nullopt);
        return;
    }
    std::optional<FileManagerWindowState> state;
    GVariant* value = nullptr;
    g_variant_get(reply, "(v)", &value);
    if (value && g_variant_is_of_type(value, G_VARIANT_TYPE("a(ssas)")))
        state = pick(value, call->window);
    if (value)
        g_variant_unref(value);
    g_variant_unref(reply);
    call->handler(std::move(state));
}

} // namespace

DBusFileManagerSelections::DBusFileManagerSelections() : cancellable_(g_cancellable_new()) {}

DBusFileManagerSelections::~DBusFileManagerSelections() {
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
}

void DBusFileManagerSelections::windowState(const std::optional<std::string>& windowObjectPath,
                                            Handler handler) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection) {
        handler(std::nullopt);
        return;
    }
    // Without an owner of the name, the bus answers at once with an error.
    g_dbus_connection_call(connection, fileManagerBusName, objectPath, "org.freedesktop.DBus.Properties",
                           "Get", g_variant_new("(ss)", interfaceName, propertyName), G_VARIANT_TYPE("(v)"),
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, cancellable_, onReply,
                           new PendingCall{windowObjectPath, std::move(handler)});
    g_object_unref(connection);
}

} // namespace ondravell::platform
