#pragma once

#include "App/Services/ConfigBundle.h"
#include "core/FileOps/TemplateIconStore.h"
#include "core/FileOps/TemplateStore.h"
#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/SettingsService.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace ondravell {

// Reads the whole configuration out of a container's stores as a bundle, and writes a bundle into them.
// Export and sync build the bundle through `current()`; import and sync apply one through `apply()`.
class ConfigBundleStore {
public:
    // The stores of the shared container (a settings store in memory when there is none).
    ConfigBundleStore();
    // The stores of the container folder given (a second machine's container, in tests and tools).
    explicit ConfigBundleStore(const std::filesystem::path& container);

    // Settings, custom templates in stored order, and the icon of each template whose icon file
    // could be read (a missing or unreadable icon is left out).
    ConfigBundle current() const;

    struct ApplyOutcome {
        // Everything the bundle holds was written: settings, template list and each icon kept.
        bool complete = true;
        // Icon entries left alone: not Base64, or a name that is not a bare file name.
        std::vector<std::string> skippedIcons;
    };
    // Replaces the settings and the template list with the bundle's and writes its icons; icon files
    // the bundle does not name stay. All or nothing: every file is written beside its target first and
    // then renamed in; when any of that fails, what was there stays and `complete` is false.
    ApplyOutcome apply(const ConfigBundle& bundle) const;

    // Seconds since 1970 of the newest change of the configuration's files; nullopt when there are none.
    std::optional<double> lastChange() const;

    // The folders whose entries change when the configuration does.
    std::vector<std::filesystem::path> watchedFolders() const;

private:
    // Without a container the settings live in memory and nothing can be applied.
    std::shared_ptr<AppGroupSettingsStore> settingsFile_;
    SettingsService settings_;
    TemplateStore templates_;
    TemplateIconStore icons_;
};

} // namespace ondravell
