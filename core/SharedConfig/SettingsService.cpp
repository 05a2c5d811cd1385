#include "core/SharedConfig/SettingsService.h"

#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/InMemorySettingsStore.h"
#include "core/SharedConfig/JsonRecord.h"

namespace ondravell {

namespace {
std::shared_ptr<SettingsStore> defaultStore() {
    if (auto store = AppGroupSettingsStore::make(AppGroupSettingsStore::appGroupID))
        return store;
    return std::make_shared<InMemorySettingsStore>();
}
} // namespace

SettingsService::SettingsService() : store_(defaultStore()) {}

SettingsService::SettingsService(std::shared_ptr<SettingsStore> store)
    : store_(store ? std::move(store) : std::make_shared<InMemorySettingsStore>()) {}

OndravellSettings SettingsService::load() const {
    auto bytes = store_->loadData();
    if (!bytes)
        return OndravellSettings::defaultSettings();
    return OndravellSettings::decode(*bytes).value_or(OndravellSettings::defaultSettings());
}

bool SettingsService::save(const OndravellSettings& settings) const {
    auto bytes = encodeRecord(settings);
    if (!bytes)
        return false;
    return store_->save(*bytes);
}

std::optional<std::filesystem::path> SettingsService::settingsFileURL() {
    return AppGroupSettingsStore::fileURLFor(AppGroupSettingsStore::appGroupID);
}

} // namespace ondravell
