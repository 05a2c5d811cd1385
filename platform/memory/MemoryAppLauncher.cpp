#include "platform/memory/MemoryAppLauncher.h"

namespace ondravell::platform {

void MemoryAppLauncher::install(std::string bundleID) {
    std::lock_guard lock(mutex_);
    installed_.insert(std::move(bundleID));
}

bool MemoryAppLauncher::isInstalled(std::string_view bundleID) const {
    std::lock_guard lock(mutex_);
    return installed_.contains(bundleID);
}

bool MemoryAppLauncher::openTerminal(std::string_view bundleID, const std::filesystem::path& folder) {
    std::lock_guard lock(mutex_);
    launches_.push_back(Launch{std::string(bundleID), folder, {}});
    return installed_.contains(bundleID);
}

bool MemoryAppLauncher::openFiles(std::string_view bundleID,
                                  const std::vector<std::filesystem::path>& targets) {
    std::lock_guard lock(mutex_);
    launches_.push_back(Launch{std::string(bundleID), {}, targets});
    return installed_.contains(bundleID);
}

std::vector<MemoryAppLauncher::Launch> MemoryAppLauncher::launches() const {
    std::lock_guard lock(mutex_);
    return launches_;
}

} // namespace ondravell::platform
