#include "App/MainWindow/Models/HotKeysModel.h"

namespace ondravell {

HotKeysModel::HotKeysModel(std::function<void()> reloadHotKeys, SettingsService service)
    : SettingsPageModel(std::move(service)), reloadHotKeys_(std::move(reloadHotKeys)) {}

std::optional<HotKeySpec> HotKeysModel::hotKey(const std::string& id) const {
    auto found = hotKeys_.find(id);
    if (found == hotKeys_.end())
        return std::nullopt;
    return found->second;
}

void HotKeysModel::set(const std::string& id, const std::optional<HotKeySpec>& hotKey) {
    if (hotKey)
        hotKeys_[id] = *hotKey;
    else
        hotKeys_.erase(id);
    persist();
    if (reloadHotKeys_)
        reloadHotKeys_();
}

void HotKeysModel::read(const OndravellSettings& settings) {
    hotKeys_ = settings.globalHotKeys;
}

void HotKeysModel::write(OndravellSettings& settings) const {
    settings.globalHotKeys = hotKeys_;
}

} // namespace ondravell
