#include "platform/glib/GioInstalledApplications.h"

#include "platform/glib/DesktopAppLookup.h"
#include "platform/glib/GioURIs.h"

#include <algorithm>
#include <gio/gdesktopappinfo.h>
#include <vector>

namespace ondravell::platform {

namespace {

constexpr std::string_view desktopSuffix = ".desktop";

std::vector<std::filesystem::path> applicationFolders() {
    std::vector<std::filesystem::path> folders{std::filesystem::path(g_get_user_data_dir()) / "applications"};
    for (const char* const* dir = g_get_system_data_dirs(); dir && *dir; ++dir)
        folders.push_back(std::filesystem::path(*dir) / "applications");
    return folders;
}

std::string desktopFileID(const std::filesystem::path& file) {
    std::filesystem::path normal = file.lexically_normal();
    for (const auto& folder : applicationFolders()) {
        std::filesystem::path relative = normal.lexically_relative(folder.lexically_normal());
        if (!relative.empty() && *relative.begin() != "..") {
            std::string id = relative.generic_string();
            std::replace(id.begin(), id.end(), '/', '-');
            return id;
        }
    }
    return file.filename().string();
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

std::optional<std::string>
GioInstalledApplications::identifierOfDesktopFile(const std::filesystem::path& file) const {
    if (file.extension() != desktopSuffix)
        return std::nullopt;
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(file.c_str());
    if (!info)
        return std::nullopt;
    g_object_unref(info);
    std::string id = desktopFileID(file);
    id.resize(id.size() - desktopSuffix.size());
    if (id.empty())
        return std::nullopt;
    return id;
}

bool GioInstalledApplications::handlesURLScheme(std::string_view scheme) const {
    return gio::schemeHasHandler(std::string(scheme));
}

} // namespace ondravell::platform
