#include "platform/glib/GioURIs.h"

#include <gio/gio.h>

namespace ondravell::platform::gio {

bool launchDefaultForURI(const std::string& uri) {
    GError* error = nullptr;
    gboolean opened = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error)
        g_error_free(error);
    return opened;
}

bool schemeHasHandler(const std::string& scheme) {
    if (scheme.empty())
        return false;
    GAppInfo* app = g_app_info_get_default_for_uri_scheme(scheme.c_str());
    if (!app)
        return false;
    g_object_unref(app);
    return true;
}

} // namespace ondravell::platform::gio
