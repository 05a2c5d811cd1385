#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ondravell::platform {

// The windows of the desktop's file manager and the folders they show.
class FileManagerWindows {
public:
    virtual ~FileManagerWindows() = default;

    // The first local folder shown by the window with this D-Bus object path; nullopt when no file
    // manager answers, the window is unknown or shows no local folder.
    virtual std::optional<std::filesystem::path> folderOfWindow(const std::string& windowObjectPath) = 0;
};

} // namespace ondravell::platform
