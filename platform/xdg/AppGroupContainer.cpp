#include "platform/AppGroupContainer.h"

#include <cstdlib>
#include <sys/stat.h>
#include <system_error>

namespace ondravell::platform {

namespace {

std::optional<std::filesystem::path> environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (!value || *value == '\0' || value[0] != '/')
        return std::nullopt;
    return std::filesystem::path(value);
}

bool ensurePrivateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error))
        return true;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return std::filesystem::is_directory(folder, error);
}

} // namespace

std::optional<std::filesystem::path> appGroupContainerURL(std::string_view appGroupID) {
    std::filesystem::path folder;
    if (auto overridden = environmentPath("ONDRAVELL_CONTAINER")) {
        folder = *overridden;
    } else if (auto dataHome = environmentPath("XDG_DATA_HOME")) {
        folder = *dataHome / std::string(appGroupID);
    } else if (auto home = environmentPath("HOME")) {
        folder = *home / ".local" / "share" / std::string(appGroupID);
    } else {
        return std::nullopt;
    }
    if (!ensurePrivateFolder(folder))
        return std::nullopt;
    return folder;
}

} // namespace ondravell::platform
