#include "platform/glib/GnomeCustomKeybindings.h"

#include <algorithm>
#include <array>
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
                                      "      <arg type='u' name='id' direction='in'/>"
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
    guint32 id = 0;
    g_variant_get(parameters, "(u)", &id);
    // The caller is the desktop's short-lived command: answer before acting.
    g_dbus_method_invocation_return_value(invocation, nullptr);
    try {
        static_cast<GnomeCustomKeybindings*>(data)->pressed(id);
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
}

GnomeCustomKeybindings::~GnomeCustomKeybindings() {
    if (connection_) {
        if (registration_)
            g_dbus_connection_unregister_object(connection_, registration_);
        g_object_unref(connection_);
    }
    // The entries stay: a second launch that ends at once must not take the running one's shortcuts
    // away, and the next start replaces them anyway.
    if (list_) {
        g_settings_sync();
        g_object_unref(list_);
    }
}

std::string GnomeCustomKeybindings::entryPath(unsigned slot) const {
    return std::string(entryPathPrefix) + std::to_string(slot) + "/";
}

void GnomeCustomKeybindings::writeList(const std::vector<std::string>& remove,
                                       const std::optional<std::string>& add) {
    std::vector<std::string> list = stringList(list_, listKey);
    std::erase_if(list, [&](const std::string& path) {
        return std::find(remove.begin(), remove.end(), path) != remove.end();
    });
    if (add && std::find(list.begin(), list.end(), *add) == list.end())
        list.push_back(*add);
    std::vector<const gchar*> values;
    for (const std::string& path : list)
        values.push_back(path.c_str());
    values.push_back(nullptr);
    g_settings_set_strv(list_, listKey, values.data());
}

void GnomeCustomKeybindings::removeLeftovers() {
    leftoversRemoved_ = true;
    std::vector<std::string> ours;
    for (const std::string& path : stringList(list_, listKey))
        if (path.starts_with(entryPathPrefix))
            ours.push_back(path);
    for (const std::string& path : ours) {
        GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
        for (const char* key : {"name", "command", "binding"})
            g_settings_reset(entry, key);
        g_object_unref(entry);
    }
    if (!ours.empty())
        writeList(ours, std::nullopt);
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
    if (!leftoversRemoved_)
        removeLeftovers();
    unsigned slot = 0;
    while (std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& held) { return held.second.slot == slot; }))
        ++slot;
    const std::string path = entryPath(slot);
    gchar* command = g_strdup_printf("gdbus call --session --dest %s --object-path %s --method %s.Pressed %u",
                                     busName_.c_str(), objectPath, interfaceName, id);
    GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
    g_settings_set_string(entry, "name", entryName);
    g_settings_set_string(entry, "command", command);
    g_settings_set_string(entry, "binding", combination->c_str());
    g_object_unref(entry);
    g_free(command);
    writeList({}, path);
    Reference reference = nextReference_++;
    entries_[reference] = {slot, id, *combination};
    return reference;
}

void GnomeCustomKeybindings::unregisterHotKey(Reference reference) {
    auto it = entries_.find(reference);
    if (it == entries_.end())
        return;
    const std::string path = entryPath(it->second.slot);
    entries_.erase(it);
    writeList({path}, std::nullopt);
    GSettings* entry = g_settings_new_with_path(entrySchema, path.c_str());
    for (const char* key : {"name", "command", "binding"})
        g_settings_reset(entry, key);
    g_object_unref(entry);
}

void GnomeCustomKeybindings::pressed(std::uint32_t id) {
    const bool registered =
        std::any_of(entries_.begin(), entries_.end(), [&](const auto& held) { return held.second.id == id; });
    if (registered && handler_)
        handler_(id);
}

} // namespace ondravell::platform
