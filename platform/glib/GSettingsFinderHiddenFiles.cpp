#include "platform/glib/GSettingsFinderHiddenFiles.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

// The schema, when it exists and has the key as a Boolean; nullptr otherwise.
GSettingsSchema* lookUpSchema() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* schema =
        g_settings_schema_source_lookup(source, GSettingsFinderHiddenFiles::schemaID, TRUE);
    if (!schema)
        return nullptr;
    bool usable = false;
    if (g_settings_schema_has_key(schema, GSettingsFinderHiddenFiles::keyName)) {
        GSettingsSchemaKey* key = g_settings_schema_get_key(schema, GSettingsFinderHiddenFiles::keyName);
        usable = g_variant_type_equal(g_settings_schema_key_get_value_type(key), G_VARIANT_TYPE_BOOLEAN);
        g_settings_schema_key_unref(key);
    }
    if (!usable) {
        g_settings_schema_unref(schema);
        return nullptr;
    }
    return schema;
}

} // namespace

std::optional<bool> GSettingsFinderHiddenFiles::toggle() {
    GSettingsSchema* schema = lookUpSchema();
    if (!schema)
        return std::nullopt;
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    bool shown = !g_settings_get_boolean(settings, keyName);
    bool written = g_settings_set_boolean(settings, keyName, shown);
    g_settings_sync();
    g_object_unref(settings);
    if (!written)
        return std::nullopt;
    return shown;
}

} // namespace ondravell::platform
