#include "platform/glib/DesktopAppLookup.h"

#include "platform/glib/DesktopAppIds.h"

#include <gio/gdesktopappinfo.h>
#include <string>

namespace ondravell::platform {

namespace {
constexpr std::string_view systemEditorBundleID = "com.apple.TextEdit";
constexpr const char* plainTextType = "text/plain";
} // namespace

GAppInfo* lookUpDesktopApp(std::string_view bundleID) {
    for (const std::string& id : DesktopAppIds::candidates(bundleID))
        if (GDesktopAppInfo* info = g_desktop_app_info_new(id.c_str()))
            return G_APP_INFO(info);
    if (bundleID == systemEditorBundleID)
        return g_app_info_get_default_for_type(plainTextType, FALSE);
    return nullptr;
}

} // namespace ondravell::platform
