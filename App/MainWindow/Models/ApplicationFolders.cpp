#include "App/MainWindow/Models/ApplicationFolders.h"

#include <cstdlib>

namespace ondravell {

namespace {

// The user's own desktop files.
std::filesystem::path userApplicationsFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::filesystem::path(data) / "applications";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "/") / ".local/share/applications";
}

} // namespace

platform::FileDialogRequest applicationDialogRequest() {
    platform::FileDialogRequest request;
    request.directory = "/usr/share/applications";
    request.places = {userApplicationsFolder()};
    request.nameFilters = {"*.desktop"};
    request.acceptLabel = "选择";
    return request;
}

} // namespace ondravell
