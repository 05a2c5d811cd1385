#pragma once

#include "platform/AppLauncher.h"

#include <mutex>
#include <set>
#include <string>

namespace ondravell::platform {

// Launcher for tests: knows the identifiers it was told are installed and records every launch asked
// for, installed or not, instead of starting anything.
class MemoryAppLauncher final : public AppLauncher {
public:
    struct Launch {
        std::string bundleID;
        // The terminal's working directory; empty for files opened with an application.
        std::filesystem::path workingDirectory;
        std::vector<std::filesystem::path> targets;
        friend bool operator==(const Launch&, const Launch&) = default;
    };

    void install(std::string bundleID);

    bool isInstalled(std::string_view bundleID) const override;
    bool openTerminal(std::string_view bundleID, const std::filesystem::path& folder) override;
    bool openFiles(std::string_view bundleID, const std::vector<std::filesystem::path>& targets) override;

    std::vector<Launch> launches() const;

private:
    mutable std::mutex mutex_;
    std::set<std::string, std::less<>> installed_;
    std::vector<Launch> launches_;
};

} // namespace ondravell::platform
