#pragma once

#include "platform/InstalledApplications.h"

#include <map>
#include <set>

namespace ondravell::platform {

// Installed applications for tests: the identifiers it was given, with their names and icons.
class MemoryInstalledApplications final : public InstalledApplications {
public:
    void install(std::string bundleID, std::string displayName, std::string icon = {}) {
        installed_[bundleID] = {bundleID, std::move(displayName), std::move(icon)};
    }

    void claimScheme(std::string scheme) { schemes_.insert(std::move(scheme)); }

    std::optional<std::string> displayName(std::string_view bundleID) const override {
        auto found = installed_.find(bundleID);
        return found == installed_.end() ? std::nullopt : std::optional(found->second.displayName);
    }
    std::vector<InstalledApplication> applications() const override {
        std::vector<InstalledApplication> result;
        for (const auto& [id, app] : installed_)
            result.push_back(app);
        return result;
    }

    bool handlesURLScheme(std::string_view scheme) const override { return schemes_.contains(scheme); }

private:
    std::set<std::string, std::less<>> schemes_;
    std::map<std::string, InstalledApplication, std::less<>> installed_;
};

} // namespace ondravell::platform
