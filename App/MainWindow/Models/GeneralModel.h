#pragma once

#include <filesystem>
#include <functional>

namespace ondravell {

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
    static constexpr const char* cloudSyncEnabledKey = "iCloudSyncEnabled";

    struct Services {
        platform::LoginItem& loginItem;
        platform::UserDefaults& userDefaults;
        platform::FinderExtensionStatus& extensionStatus;
        // The cloud-drive folder whose presence makes sync available.
        std::filesystem::path cloudFolder;
        // Starts or stops the configuration sync after its switch changed; may be empty.
        std::function<void(bool on)> applyCloudSync;
    };

    explicit GeneralModel(Services services);

    // Reads every state afresh, as the page does each time it comes on screen.
    void load();

    bool launchAtLogin() const { return launchAtLogin_; }
    bool hideMenuBarIcon() const { return hideMenuBarIcon_; }
    bool extensionEnabled() const { return extensionEnabled_; }
    bool cloudAvailable() const;
    bool cloudSyncEnabled() const { return cloudSyncEnabled_; }

    // Registers or unregisters the login item once. When the desktop refuses, the switch shows the
    // item's real state; that reset is not a request of its own.
    void setLaunchAtLogin(bool enabled);
    void setHideMenuBarIcon(bool hidden);
    void setCloudSyncEnabled(bool enabled);

    // The cloud-drive folder: `ONDRAVELL_CLOUD_DIR`, else the one under the home folder.
    static std::filesystem::path defaultCloudFolder();

private:
    Services services_;
    bool launchAtLogin_ = false;
    bool hideMenuBarIcon_ = false;
    bool extensionEnabled_ = false;
    bool cloudSyncEnabled_ = false;
};

} // namespace ondravell
