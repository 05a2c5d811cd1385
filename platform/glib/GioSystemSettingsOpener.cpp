#include "platform/glib/GioSystemSettingsOpener.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace ondravell::platform {

std::vector<std::string> GioSystemSettingsOpener::candidateDesktopIDs(SystemSettingsPane pane) {
    switch (pane) {
    case SystemSettingsPane::accessibility:
        return {"gnome-universal-access-panel.desktop", "org.kde.kaccess.desktop"};
    case SystemSettingsPane::fileManagerExtensions:
    case SystemSettingsPane::loginItemsExtensions:
        return {};
    }
    return {};
}

bool GioSystemSettingsOpener::open(SystemSettingsPane pane) {
    for (const std::string& id : candidateDesktopIDs(pane)) {
        GDesktopAppInfo* info = g_desktop_app_info_new(id.c_str());
        if (!info)
            continue;
        gboolean launched = g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, nullptr);
        g_object_unref(info);
        if (launched)
            return true;
    }
    return false;
}

} // namespace ondravell::platform
