#pragma once

#include <string>

namespace ondravell {

// A terminal or editor the open-in actions know by its bundle identifier.
struct LaunchableApp {
    std::string bundleID;
    std::string displayName;

    const std::string& id() const { return bundleID; }
    bool operator==(const LaunchableApp&) const = default;
};

} // namespace ondravell
