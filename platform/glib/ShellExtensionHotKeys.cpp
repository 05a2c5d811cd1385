#include "platform/glib/ShellExtensionHotKeys.h"

#include "platform/glib/DBusCallReply.h"
#include "platform/glib/DBusNameOwnership.h"
#include "platform/glib/GnomeCustomKeybindings.h"
#include "platform/glib/ShellExtensionBus.h"

#include <algorithm>
#include <gio/gio.h>
#include <memory>

namespace ondravell::platform {

namespace {

struct GrabCall {
    ShellExtensionHotKeys* owner;
    GlobalHotKeys::Reference reference;
};

void onGrabReply(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<GrabCall> call(static_cast<GrabCall*>(data));
    std::optional<GVariant*> finished = finishDBusCall(source, result);
    if (!finished)
        return; // the owner is gone
    GVariant* reply = *finished;
    if (!reply) {
        call->owner->grabbed(call->reference, std::nullopt);
        return;
    }
    guint32 action = 0;
    g_variant_get(reply, "(u)", &action);
    g_variant_unref(reply);
    call->owner->grabbed(call->reference, action);
}

void onAccelerator(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                   GVariant* parameters, gpointer data) {
    if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ub)")))
        return;
    guint32 action = 0;
    gboolean pressed = FALSE;
    g_variant_get(parameters, "(ub)", &action, &pressed);
    try {
        static_cast<ShellExtensionHotKeys*>(data)->accelerator(action, pressed);
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
}

} // namespace

ShellExtensionHotKeys::ShellExtensionHotKeys(std::string appBusName, KeyName keyName)
    : keyName_(std::move(keyName)), cancellable_(g_cancellable_new()) {
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection_)
        return;
    signalSubscription_ = g_dbus_connection_signal_subscribe(
        connection_, ShellExtensionBus::busName, ShellExtensionBus::interfaceName, "Accelerator",
        ShellExtensionBus::objectPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE, onAccelerator, this, nullptr);
    nameWatch_ = watchNameOwnership(connection_, appBusName.c_str(), this);
}

ShellExtensionHotKeys::~ShellExtensionHotKeys() {
    if (retryTimer_)
        g_source_remove(retryTimer_);
    g_cancellable_cancel(cancellable_);
    g_object_unref(cancellable_);
    if (!connection_)
        return;
    // The extension drops every grab when the program leaves the bus; a running one releases its own.
    // The ungrabs are only queued, never flushed: a program that runs on sends them, and one that ends
    // leaves the bus, so nothing is lost by not waiting (a flush has no time limit, and it waits for a
    // thread of GIO's shared pool, which may be busy for long).
    for (const auto& [reference, entry] : entries_)
        if (entry.action)
            ungrab(*entry.action);
    g_bus_unwatch_name(nameWatch_);
    g_dbus_connection_signal_unsubscribe(connection_, signalSubscription_);
    g_object_unref(connection_);
}

std::optional<GlobalHotKeys::Reference> ShellExtensionHotKeys::registerHotKey(std::uint32_t keyCode,
                                                                              std::uint32_t carbonModifiers,
                                                                              std::uint32_t id) {
    if (!connection_ || !keyName_)
        return std::nullopt;
    // The extension grabs nothing without Control, Alt or Super: Shift alone would take a character
    // from every window.
    if (!(carbonModifiers & (controlModifier | optionModifier | commandModifier)))
        return std::nullopt;
    std::optional<std::string> name = keyName_(keyCode);
    std::optional<std::string> combination =
        name ? GnomeCustomKeybindings::accelerator(carbonModifiers, *name) : std::nullopt;
    if (!combination)
        return std::nullopt;
    for (const auto& [reference, entry] : entries_)
        if (entry.accelerator == *combination)
            return std::nullopt;
    Reference reference = nextReference_++;
    entries_[reference] = {id, *combination, std::nullopt, false, false, false, 0};
    if (owned_)
        grab(reference);
    return reference;
}

void ShellExtensionHotKeys::unregisterHotKey(Reference reference) {
    auto it = entries_.find(reference);
    if (it == entries_.end())
        return;
    if (it->second.action && it->second.action == heldAction_)
        heldAction_.reset();
    if (it->second.action)
        ungrab(*it->second.action);
    else if (it->second.pending)
        ++orphans_;
    entries_.erase(it);
}

void ShellExtensionHotKeys::grab(Reference reference) {
    Entry& entry = entries_[reference];
    // The extension grants the program no more grabs than it has hot keys: a grab still under way for
    // an entry that is gone is released before any new one is asked for.
    if (orphans_ > 0) {
        entry.waiting = true;
        return;
    }
    entry.pending = true;
    g_dbus_connection_call(connection_, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
                           ShellExtensionBus::interfaceName, "GrabAccelerator",
                           g_variant_new("(s)", entry.accelerator.c_str()), G_VARIANT_TYPE("(u)"),
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, ShellExtensionBus::callTimeoutMs, cancellable_,
                           onGrabReply, new GrabCall{this, reference});
}

void ShellExtensionHotKeys::ungrab(std::uint32_t action) {
    g_dbus_connection_call(connection_, ShellExtensionBus::busName, ShellExtensionBus::objectPath,
                           ShellExtensionBus::interfaceName, "UngrabAccelerator",
                           g_variant_new("(u)", action), nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
                           ShellExtensionBus::callTimeoutMs, nullptr, nullptr, nullptr);
}

void ShellExtensionHotKeys::grabbed(Reference reference, std::optional<std::uint32_t> action) {
    auto it = entries_.find(reference);
    if (it == entries_.end()) {
        // Unregistered while the grab was under way. The ungrab goes out before the grabs that waited
        // for it, and the extension takes calls in order.
        if (action)
            ungrab(*action);
        if (orphans_ > 0 && --orphans_ == 0)
            for (auto& [waitingReference, entry] : entries_)
                if (entry.waiting) {
                    entry.waiting = false;
                    grab(waitingReference);
                }
        return;
    }
    Entry& entry = it->second;
    entry.pending = false;
    entry.action = action;
    if (action) {
        entry.refusals = 0;
        return;
    }
    if (++entry.refusals > grabRetries)
        return;
    entry.retry = true;
    if (!retryTimer_)
        retryTimer_ = g_timeout_add(
            grabRetryMs,
            [](gpointer data) {
                static_cast<ShellExtensionHotKeys*>(data)->retryRefusedGrabs();
                return G_SOURCE_REMOVE;
            },
            this);
}

void ShellExtensionHotKeys::retryRefusedGrabs() {
    retryTimer_ = 0;
    for (auto& [reference, entry] : entries_)
        if (entry.retry) {
            entry.retry = false;
            if (owned_ && !entry.pending && !entry.waiting)
                grab(reference);
        }
}

void ShellExtensionHotKeys::ownershipChanged(bool owned) {
    const bool gained = owned && !owned_;
    owned_ = owned;
    if (!gained)
        return;
    for (auto& [reference, entry] : entries_) {
        entry.refusals = 0;
        if (entry.pending || entry.waiting)
            continue;
        entry.retry = false;
        entry.action.reset();
        grab(reference);
    }
}

void ShellExtensionHotKeys::accelerator(std::uint32_t action, bool pressed) {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [action](const auto& item) { return item.second.action == action; });
    if (entry == entries_.end())
        return;
    if (!pressed) {
        if (heldAction_ == action)
            heldAction_.reset();
        return;
    }
    heldAction_ = action;
    if (handler_)
        handler_(entry->second.id);
}

} // namespace ondravell::platform
