#pragma once

#include "core/SharedConfig/OndravellSettings.h"
#include "core/SharedConfig/SettingsStore.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace ondravell {

// The only way the system loads and saves the settings. Cheap to make: readers make one and load
// afresh whenever they need the settings, as nothing caches the record between processes.
class SettingsService {
public:
    // The settings file of the app-group container; without a container, a fresh in-memory store of
    // its own (so nothing saved through it is seen elsewhere).
    SettingsService();
    explicit SettingsService(std::shared_ptr<SettingsStore> store);

    // The default record when nothing is stored or the stored bytes are not a settings record.
    OndravellSettings load() const;
    // Writes the whole record; a failure leaves the previous settings in place and answers false, which
    // most callers drop.
    bool save(const OndravellSettings& settings) const;

    const std::shared_ptr<SettingsStore>& store() const { return store_; }

    // Where the shared settings file is; nullopt without a container.
    static std::optional<std::filesystem::path> settingsFileURL();

private:
    std::shared_ptr<SettingsStore> store_;
};

} // namespace ondravell
