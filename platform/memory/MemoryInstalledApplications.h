#pragma once

#include "platform/InstalledApplications.h"

#include <map>
#include <set>

namespace ondravell::platform {

// Installed applications for tests: the identifiers it was given, with their names, and the desktop
// files it was told about.
class MemoryInstalledApplications final : public InstalledApplications {
public:
    void install(std::string bundleID, std::string displayName) {
        names_[std::move(bundleID)] = std::move(displayName);
    }
    void addDesktopFile(std::filesystem::path file, std::string identifier) {
        desktopFiles_[std::move(file)] = std::move(identifier);
    }

    void claimScheme(std::string scheme) { schemes_.insert(std::move(scheme)); }

    std::optional<std::string> displayName(std::string_view bundleID) const override {
        auto found = names_.find(bundleID);
        return found == names_.end() ? std::nullopt : std::optional(found->second);
    }
    std::optional<std::string> identifierOfDesktopFile(const std::filesystem::path& file) const override {
        auto found = desktopFiles_.find(file);
        return found == desktopFiles_.end() ? std::nullopt : std::optional(found->second);
    }

    bool handlesURLScheme(std::string_view scheme) const override { return schemes_.contains(scheme); }

private:
    std::set<std::string, std::less<>> schemes_;
    std::map<std::string, std::string, std::less<>> names_;
    std::map<std::filesystem::path, std::string> desktopFiles_;
};

} // namespace ondravell::platform
