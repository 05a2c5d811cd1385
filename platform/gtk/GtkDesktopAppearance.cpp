#include "platform/gtk/GtkDesktopAppearance.h"

#include <algorithm>
#include <cctype>
#include <gtk/gtk.h>
#include <string>

namespace ondravell::platform {

namespace {

constexpr const char* interfaceSchema = "org.gnome.desktop.interface";
constexpr const char* colorSchemeKey = "color-scheme";

// GSettings aborts on an unknown schema or key, so both are looked up before use.
GSettings* interfaceSettingsIfPresent() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, interfaceSchema, TRUE);
    if (!schema)
        return nullptr;
    GSettings* settings = nullptr;
    if (g_settings_schema_has_key(schema, colorSchemeKey))
        settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    return settings;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

} // namespace

GtkDesktopAppearance::GtkDesktopAppearance() : interfaceSettings_(interfaceSettingsIfPresent()) {}

GtkDesktopAppearance::~GtkDesktopAppearance() {
    if (interfaceSettings_)
        g_object_unref(interfaceSettings_);
}

bool GtkDesktopAppearance::isDarkColorScheme(std::string_view colorScheme) {
    return colorScheme == "prefer-dark";
}

bool GtkDesktopAppearance::isDarkThemeName(std::string_view themeName) {
    std::string name = lowered(themeName);
    return name.ends_with("-dark") || name.ends_with(":dark");
}

bool GtkDesktopAppearance::isDarkMode() const {
    if (interfaceSettings_) {
        gchar* scheme = g_settings_get_string(interfaceSettings_, colorSchemeKey);
        bool dark = scheme && isDarkColorScheme(scheme);
        g_free(scheme);
        if (dark)
            return true;
    }
    GtkSettings* gtkSettings = gtk_settings_get_default();
    if (!gtkSettings)
        return false;
    gboolean preferDark = FALSE;
    gchar* themeName = nullptr;
    g_object_get(gtkSettings, "gtk-application-prefer-dark-theme", &preferDark, "gtk-theme-name", &themeName,
                 nullptr);
    bool dark = preferDark || (themeName && isDarkThemeName(themeName));
    g_free(themeName);
    if (const char* forced = g_getenv("GTK_THEME"))
        dark = dark || isDarkThemeName(forced);
    return dark;
}

} // namespace ondravell::platform
