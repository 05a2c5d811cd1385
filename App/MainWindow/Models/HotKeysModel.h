#pragma once

#include "App/MainWindow/Models/SettingsPageModel.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ondravell {

// The global hot keys of the file-manager actions. Entries for ids the page shows no row for are kept
// as loaded. After every change the hot keys are registered again, also when the save failed.
class HotKeysModel final : public SettingsPageModel {
public:
    explicit HotKeysModel(std::function<void()> reloadHotKeys, SettingsService service = SettingsService());

    const std::map<std::string, HotKeySpec>& hotKeys() const { return hotKeys_; }
    std::optional<HotKeySpec> hotKey(const std::string& id) const;

    // A recorded combination for `id`, or none to clear it.
    void set(const std::string& id, const std::optional<HotKeySpec>& hotKey);

private:
    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;

    std::function<void()> reloadHotKeys_;
    std::map<std::string, HotKeySpec> hotKeys_;
};

} // namespace ondravell
