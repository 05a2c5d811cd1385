#include "App/MainWindow/Models/GeneralModel.h"

#include "platform/FinderExtensionStatus.h"
#include "platform/LoginItem.h"
#include "platform/UserDefaults.h"

#include <cstdlib>
#include <system_error>

namespace ondravell {

GeneralModel::GeneralModel(Services services) : services_(std::move(services)) {}

void GeneralModel::load() {
    launchAtLogin_ = services_.loginItem.isEnabled();
    hideMenuBarIcon_ = services_.userDefaults.boolForKey(hideMenuBarIconKey).value_or(false);
    extensionEnabled_ = services_.extensionStatus.isExtensionEnabled();
    cloudSyncEnabled_ = services_.userDefaults.boolForKey(cloudSyncEnabledKey).value_or(false);
}

bool GeneralModel::cloudAvailable() const {
    std::error_code error;
    return !services_.cloudFolder.empty() && std::filesystem::is_directory(services_.cloudFolder, error);
}

void GeneralModel::setLaunchAtLogin(bool enabled) {
    launchAtLogin_ = enabled;
    if (!services_.loginItem.setEnabled(enabled))
        launchAtLogin_ = services_.loginItem.isEnabled();
}

void GeneralModel::setHideMenuBarIcon(bool hidden) {
    hideMenuBarIcon_ = hidden;
    services_.userDefaults.setBool(hideMenuBarIconKey, hidden);
}

void GeneralModel::setCloudSyncEnabled(bool enabled) {
    cloudSyncEnabled_ = enabled;
    // The sync service reads the flag itself, so it is stored before the service starts.
    services_.userDefaults.setBool(cloudSyncEnabledKey, enabled);
    if (services_.applyCloudSync)
        services_.applyCloudSync(enabled);
}

std::filesystem::path GeneralModel::defaultCloudFolder() {
    if (const char* override = std::getenv("ONDRAVELL_CLOUD_DIR"); override && *override)
        return override;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return {};
    return std::filesystem::path(home) / "Library/Mobile Documents/com~apple~CloudDocs";
}

} // namespace ondravell
