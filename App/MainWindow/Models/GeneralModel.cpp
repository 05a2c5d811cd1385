#include "App/MainWindow/Models/GeneralModel.h"

#include "App/Services/ICloudSync.h"
#include "platform/FinderExtensionStatus.h"
#include "platform/LoginItem.h"
#include "platform/UserDefaults.h"

namespace ondravell {

GeneralModel::GeneralModel(Services services) : services_(std::move(services)) {
    if (services_.cloudSync)
        syncObserver_ = services_.cloudSync->observe([this] { syncChanged(); });
}

GeneralModel::~GeneralModel() {
    if (syncObserver_)
        services_.cloudSync->unobserve(*syncObserver_);
}

void GeneralModel::syncChanged() {
    readLastSync();
    if (onSyncChange_)
        onSyncChange_();
}

void GeneralModel::load() {
    launchAtLogin_ = services_.loginItem.isEnabled();
    hideMenuBarIcon_ = services_.userDefaults.boolForKey(hideMenuBarIconKey).value_or(false);
    extensionEnabled_ = services_.extensionStatus.isExtensionEnabled();
    cloudSyncEnabled_ = services_.userDefaults.boolForKey(ICloudSync::enabledKey).value_or(false);
    readLastSync();
}

void GeneralModel::readLastSync() {
    lastSync_ = services_.userDefaults.doubleForKey(ICloudSync::lastAtKey);
}

bool GeneralModel::cloudAvailable() const {
    return services_.cloudSync && services_.cloudSync->available();
}

bool GeneralModel::syncFailed() const {
    return cloudSyncEnabled_ && services_.cloudSync && services_.cloudSync->failed();
}

bool GeneralModel::syncFileUnreadable() const {
    return syncFailed() && services_.cloudSync->syncFileUnreadable();
}

std::filesystem::path GeneralModel::syncFile() const {
    return services_.cloudSync ? services_.cloudSync->syncFileURL() : std::filesystem::path();
}

std::filesystem::path GeneralModel::cloudFolder() const {
    return services_.cloudSync ? services_.cloudSync->cloudFolder() : ICloudSync::cloudDriveFolder();
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
    services_.userDefaults.setBool(ICloudSync::enabledKey, enabled);
    if (services_.cloudSync) {
        if (enabled)
            services_.cloudSync->start();
        else
            services_.cloudSync->stop();
    }
    readLastSync();
}

} // namespace ondravell
