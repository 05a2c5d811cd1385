#include "platform/glib/GioInstalledApplications.h"

#include "platform/glib/DesktopAppLookup.h"
#include "platform/glib/GioURIs.h"

#include <gio/gio.h>

namespace ondravell::platform {

namespace {

constexpr std::string_view desktopSuffix = ".desktop";

// The theme name or file path of the application's icon; empty when it has none or another kind.
std::string iconOf(GAppInfo* app) {
    GIcon* icon = g_app_info_get_icon(app);
    if (G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && *names ? *names : "";
    }
    if (G_IS_FILE_ICON(icon)) {
        gchar* path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        std::string result = path ? path : "";
        g_free(path);
        return result;
    }
    return {};
}

} // namespace

std::optional<std::string> GioInstalledApplications::displayName(std::string_view bundleID) const {
    GAppInfo* app = lookUpDesktopApp(bundleID);
    if (!app)
        return std::nullopt;
    const char* name = g_app_info_get_display_name(app);
    std::string result = name ? name : std::string(bundleID);
    g_object_unref(app);
    return result;
}

std::vector<InstalledApplication> GioInstalledApplications::applications() const {
    std::vector<InstalledApplication> result;
    GList* all = g_app_info_get_all();
    for (GList* item = all; item; item = item->next) {
        auto* app = static_cast<GAppInfo*>(item->data);
        std::string_view id = g_app_info_get_id(app) ? g_app_info_get_id(app) : "";
        if (!g_app_info_should_show(app) || !id.ends_with(desktopSuffix) || id.size() == desktopSuffix.size())
            continue;
        id.remove_suffix(desktopSuffix.size());
        const char* name = g_app_info_get_display_name(app);
        result.push_back({std::string(id), name ? name : std::string(id), iconOf(app)});
    }
    g_list_free_full(all, g_object_unref);
    return result;
}

bool GioInstalledApplications::handlesURLScheme(std::string_view scheme) const {
    return gio::schemeHasHandler(std::string(scheme));
}

} // namespace ondravell::platform
