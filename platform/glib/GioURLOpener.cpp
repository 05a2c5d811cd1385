#include "platform/glib/GioURLOpener.h"

#include <gio/gio.h>

namespace ondravell::platform {

bool GioURLOpener::open(const std::string& url) {
    GError* error = nullptr;
    gboolean opened = g_app_info_launch_default_for_uri(url.c_str(), nullptr, &error);
    if (error)
        g_error_free(error);
    return opened;
}

} // namespace ondravell::platform
