#pragma once

#include "App/MainWindow/Models/SettingsPageModel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ondravell {

namespace platform {
class FileDialog;
}

// The favourite folders of the copy-to and move-to submenus. Only the add control keeps the list at
// `limit`; a longer list written by other means is shown and kept.
class FavoriteTargetsModel final : public SettingsPageModel {
public:
    static constexpr std::size_t limit = 8;

    explicit FavoriteTargetsModel(platform::FileDialog& dialog, SettingsService service = SettingsService());

    const std::vector<std::string>& favorites() const { return favorites_; }
    bool canAdd() const { return favorites_.size() < limit; }

    // Asks for a folder and appends it unless it is one already; a cancelled dialog changes nothing.
    void add();
    // Removes every entry equal to `path`.
    void remove(const std::string& path);

private:
    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;

    platform::FileDialog& dialog_;
    std::vector<std::string> favorites_;
};

} // namespace ondravell
