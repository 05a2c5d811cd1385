#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace ondravell::platform {

// Starts the terminals and editors the user picks by bundle identifier. Identifiers of the built-in
// catalogue are translated to the desktop's own application ids; any other identifier is taken as such
// an id. Nothing passes through a shell. Lookups read the desktop's application index, so callers keep
// them off a UI thread; every call may come from any thread.
class AppLauncher {
public:
    virtual ~AppLauncher() = default;

    virtual bool isInstalled(std::string_view bundleID) const = 0;
    // Starts the terminal with `folder` as its working directory. False when it is not installed or
    // could not be started.
    virtual bool openTerminal(std::string_view bundleID, const std::filesystem::path& folder) = 0;
    // Opens all `targets` with the application in one launch.
    virtual bool openFiles(std::string_view bundleID, const std::vector<std::filesystem::path>& targets) = 0;
};

} // namespace ondravell::platform
