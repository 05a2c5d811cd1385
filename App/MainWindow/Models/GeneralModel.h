#pragma once

#include "App/Services/ConfigBackup.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace ondravell {

class ICloudSync;

namespace platform {
class FinderExtensionStatus;
class LoginItem;
class UserDefaults;
} // namespace platform

// The state of the general page. It edits nothing in the shared settings: launch at login lives in the
// desktop's autostart folder, the icon and sync switches in the application's own defaults.
class GeneralModel {
public:
    static constexpr const char* hideMenuBarIconKey = "hideMenuBarIcon";

    struct Services {
        platform::LoginItem& loginItem;
        platform::UserDefaults& userDefaults;
        platform::FinderExtensionStatus& extensionStatus;
        // The configuration sync the switch starts and stops; without it sync counts as unavailable.
        ICloudSync* cloudSync = nullptr;
        // How the backup buttons ask for files, confirm and report.
        ConfigBackup::Prompts backup = {};
    };

    explicit GeneralModel(Services services);
    ~GeneralModel();
    // The sync holds on to this model to tell it of changes.
    GeneralModel(const GeneralModel&) = delete;
    GeneralModel& operator=(const GeneralModel&) = delete;

    // Reads every state afresh, as the page does each time it comes on screen.
    void load();

    bool launchAtLogin() const { return launchAtLogin_; }
    bool hideMenuBarIcon() const { return hideMenuBarIcon_; }
    bool extensionEnabled() const { return extensionEnabled_; }
    // The cloud-drive folder exists (asked at every call).
    bool cloudAvailable() const;
    std::filesystem::path cloudFolder() const;
    bool cloudSyncEnabled() const { return cloudSyncEnabled_; }
    // Seconds since 1970 of the last sync; shown only while sync is on and has not failed since.
    std::optional<double> lastSync() const {
        return cloudSyncEnabled_ && !syncFailed() ? lastSync_ : std::nullopt;
    }
    // The last push or pull could not be done (a retry is due); shown in place of the last sync.
    bool syncFailed() const;
    // The sync file stays unreadable: retrying alone will not help. Shown in place of the failure.
    bool syncFileUnreadable() const;
    std::filesystem::path syncFile() const;
    // `onChange` runs whenever the sync's state changed (failed, paused, resumed, synced again), after
    // the model learnt it; the page shows the sync line again then.
    void setOnSyncChange(std::function<void()> onChange) { onSyncChange_ = std::move(onChange); }

    // Registers or unregisters the login item once. When the desktop refuses, the switch shows the
    // item's real state; that reset is not a request of its own.
    void setLaunchAtLogin(bool enabled);
    void setHideMenuBarIcon(bool hidden);
    // Stores the switch, then starts or stops the sync, which reads it, and learns the last sync again.
    void setCloudSyncEnabled(bool enabled);

    void exportConfig() const { ConfigBackup::exportConfig(services_.backup); }
    void importConfig() const { ConfigBackup::importConfig(services_.backup); }

private:
    void readLastSync();
    void syncChanged();

    Services services_;
    std::optional<std::uint64_t> syncObserver_;
    std::function<void()> onSyncChange_;
    bool launchAtLogin_ = false;
    bool hideMenuBarIcon_ = false;
    bool extensionEnabled_ = false;
    bool cloudSyncEnabled_ = false;
    std::optional<double> lastSync_;
};

} // namespace ondravell
