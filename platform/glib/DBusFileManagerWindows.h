#pragma once

#include "platform/FileManagerWindows.h"

namespace ondravell::platform {

// Reads the property OpenWindowsWithLocations (window object path to location URIs) of
// org.freedesktop.FileManager1 on the session bus, which Nautilus offers.
class DBusFileManagerWindows final : public FileManagerWindows {
public:
    std::optional<std::filesystem::path> folderOfWindow(const std::string& windowObjectPath) override;
};

} // namespace ondravell::platform
