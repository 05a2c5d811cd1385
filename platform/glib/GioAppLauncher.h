#pragma once

#include "platform/AppLauncher.h"

namespace ondravell::platform {

// Starts applications through their desktop files. A terminal is started as its own process with the
// folder as working directory, even when its desktop file asks for activation over the session bus
// (which would leave the folder behind); editors get the files as URIs. When no candidate of the
// system's editor is installed, the desktop's default application for plain text stands in.
class GioAppLauncher final : public AppLauncher {
public:
    bool isInstalled(std::string_view bundleID) const override;
    bool openTerminal(std::string_view bundleID, const std::filesystem::path& folder) override;
    bool openFiles(std::string_view bundleID, const std::vector<std::filesystem::path>& targets) override;
};

} // namespace ondravell::platform
