#include "platform/glib/GnomeCustomKeybindings.h"

#include "platform/glib/DBusNameOwnership.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <gio/gio.h>

namespace ondravell::platform {

namespace {

constexpr const char* listSchema = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* listKey = "custom-keybindings";
constexpr const char* entrySchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
// What the desktop's keyboard settings show for each entry.
constexpr const char* entryName = "Ondravell";

constexpr const char* introspection = "<node>"
                                      "  <interface name='K3WQ9ZD7TM.dev.ondravell.HotKeys'>"
                                      "    <method name='Pressed'>"
                                      "      <arg type='u' name='slot' direction='in'/>"
                                      "    </method>"
                                      "  </interface>"
                                      "</node>";

bool schemaInstalled(const char* id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr;
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

std::vector<std::string> stringList(GSettings* settings, const char* key) {
    std::vector<std::string> list;
    gchar** values = g_settings_get_strv(settings, key);
    for (gchar** value = values; value && *value; ++value)
        list.emplace_back(*value);
    g_strfreev(values);
    return list;
}

void handleMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                      GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data) {
    if (g_strcmp0(method, "Pressed") != 0) {
        g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod",
                                                   "Unknown method");
        return;
    }
    guint32 slot = 0;
    g_variant_get(parameters, "(u)", &slot);
    // The caller is the desktop's short-lived command: answer before acting.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    try {
        static_cast<GnomeCustomKeybindings*>(data)->pressed(slot);
    } catch (...) {
        // Nothing may unwind through GLib's dispatch.
    }
}

const GDBusInterfaceVTable vtable = {handleMethodCall, nullptr, nullptr, {}};

} // namespace

std::optional<std::string> GnomeCustomKeybindings::accelerator(std::uint32_t carbonModifiers,
                                                               std::string_view keysymName) {
    constexpr std::array<std::pair<std::uint32_t, std::string_view>, 4> names{{
        {controlModifier, "<Control>"},
        {optionModifier, "<Alt>"},
        {shiftModifier, "<Shift>"},
        {commandModifier, "<Super>"},
    }};
    std::uint32_t known = 0;
    std::string result;
    for (const auto& [bit, name] : names) {
        known |= bit;
        if (carbonModifiers & bit)
            result += name;
    }
    if ((carbonModifiers & ~known) || keysymName.empty())
        return std::nullopt;
    return result + std::string(keysymName);
}

bool GnomeCustomKeybindings::isAvailable() {
    return schemaInstalled(listSchema) && schemaInstalled(entrySchema);
}

GnomeCustomKeybindings::GnomeCustomKeybindings(std::string busName, KeyName keyName)
    : busName_(std::move(busName)), keyName_(std::move(keyName)) {
    if (!isAvailable())
        return;
    list_ = g_settings_new(listSchema);
    connection_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!connection_)
        return;
    if (GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection, nullptr)) {
        registration_ = g_dbus_connection_register_object(connection_, objectPath, node->interfaces[0],
                                                          &vtable, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }
    nameWatch_ = watchNameOwnership(connection_, busName_.c_str(), this);
}

GnomeCustomKeybindings::~GnomeCustomKeybindings() {
    if (pendingWrite_)
        g_source_remove(pendingWrite_);
    if (connection_) {
        g_bus_unwatch_name(nameWatch_);
        if (registration_)
            g_dbus_connection_unregister_object(connection_, registration_);
        g_object_unref(connection_);
    }
    if (list_) {
        // The owner of the name leaves: its shortcuts go with it. A launch that never owned the name
        // (it lost the race and hands over) writes nothing.
        writeEntries(false);
        g_settings_sync();
        g_object_unref(list_);
    }
}

std::string GnomeCustomKeybindings::entryPath(unsigned slot) const {
    return std::string(entryPathPrefix) + std::to_string(slot) + "/";
}

unsigned GnomeCustomKeybindings::freeSlot(const std::string& accelerator) const {
    auto held = [&](unsigned slot) {
        return std::any_of(entries_.begin(), entries_.end(),
                           [&](const auto& entry) { return entry.second.slot == slot; });
    };
    // The entry that carries this combination already (a reload, an earlier run) keeps it.
    for (const std::string& path : stringList(list_, listKey)) {
        if (!path.starts_with(entryPathPrefix) || !path.ends_with('/'))
            continue;
        const std::string number =
            path.substr(std::strlen(entryPathPrefix), path.size() - 1 - std::strlen(entryPathPrefix));
        unsigned slot = 0;
        auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), slot);
        if (error != std::errc() || end != number.data() + number.size() || held(slot))
            continue;
        GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
        gchar* binding = g_settings_get_string(entry, "binding");
        const bool same = accelerator == binding;
        g_free(binding);
        g_object_unref(entry);
        if (same)
            return slot;
    }
    unsigned slot = 0;
    while (held(slot))
        ++slot;
    return slot;
}

void GnomeCustomKeybindings::scheduleWrite() {
    if (pendingWrite_ || !owned_)
        return;
    // A reload takes every registration away and makes them again: the list is written once after it.
    pendingWrite_ = g_idle_add(
        [](gpointer data) {
            auto* self = static_cast<GnomeCustomKeybindings*>(data);
            self->pendingWrite_ = 0;
            self->writeEntries(true);
            return G_SOURCE_REMOVE;
        },
        this);
}

void GnomeCustomKeybindings::writeEntries(bool keep) {
    // Never written by a process that does not own the name: the entries' commands call the owner.
    if (!owned_ || !list_)
        return;
    std::map<std::string, const Entry*> wanted;
    if (keep)
        for (const auto& [reference, entry] : entries_)
            wanted[entryPath(entry.slot)] = &entry;
    const std::vector<std::string> before = stringList(list_, listKey);
    std::vector<std::string> list;
    for (const std::string& path : before) {
        if (!path.starts_with(entryPathPrefix) || wanted.contains(path)) {
            list.push_back(path);
            continue;
        }
        GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
        for (const char* key : {"name", "command", "binding"})
            g_settings_reset(entry, key);
        g_object_unref(entry);
    }
    for (const auto& [path, held] : wanted) {
        gchar* command =
            g_strdup_printf("gdbus call --session --dest %s --object-path %s --method %s.Pressed %u",
                            busName_.c_str(), objectPath, interfaceName, held->slot);
        GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
        for (const auto& [key, value] :
             {std::pair{"name", entryName}, {"command", command}, {"binding", held->accelerator.c_str()}}) {
            gchar* current = g_settings_get_string(entry, key);
            if (g_strcmp0(current, value) != 0)
                g_settings_set_string(entry, key, value);
            g_free(current);
        }
        g_object_unref(entry);
        g_free(command);
        if (std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    if (list == before)
        return;
    std::vector<const gchar*> values;
    for (const std::string& path : list)
        values.push_back(path.c_str());
    values.push_back(nullptr);
    g_settings_set_strv(list_, listKey, values.data());
}

void GnomeCustomKeybindings::ownershipChanged(bool owned) {
    const bool gained = owned && !owned_;
    owned_ = owned;
    if (gained)
        scheduleWrite();
}

std::optional<GlobalHotKeys::Reference> GnomeCustomKeybindings::registerHotKey(std::uint32_t keyCode,
                                                                               std::uint32_t carbonModifiers,
                                                                               std::uint32_t id) {
    if (!list_ || !registration_ || !keyName_)
        return std::nullopt;
    std::optional<std::string> name = keyName_(keyCode);
    std::optional<std::string> combination = name ? accelerator(carbonModifiers, *name) : std::nullopt;
    if (!combination)
        return std::nullopt;
    for (const auto& [reference, entry] : entries_)
        if (entry.accelerator == *combination)
            return std::nullopt;
    Reference reference = nextReference_++;
    entries_[reference] = {freeSlot(*combination), id, *combination};
    scheduleWrite();
    return reference;
}

void GnomeCustomKeybindings::unregisterHotKey(Reference reference) {
    if (entries_.erase(reference))
        scheduleWrite();
}

void GnomeCustomKeybindings::pressed(std::uint32_t slot) {
    for (const auto& [reference, entry] : entries_)
        if (entry.slot == slot) {
            if (handler_)
                handler_(entry.id);
            return;
        }
}

} // namespace ondravell::platform
