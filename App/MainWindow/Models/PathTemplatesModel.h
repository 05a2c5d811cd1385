#pragma once

#include "App/MainWindow/Models/SettingsPageModel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ondravell {

// The user's own path formats of the copy-path submenu, with the add row's two fields. Template text is
// stored as typed (trimmed), never checked: rendering is the path formatter's work.
class PathTemplatesModel final : public SettingsPageModel {
public:
    static constexpr std::size_t limit = 8;

    using SettingsPageModel::SettingsPageModel;

    const std::vector<PathTemplate>& templates() const { return templates_; }
    std::string newName;
    std::string newTemplate;

    // Both trimmed fields hold text and the list has room.
    bool canAdd() const;
    // Appends a template with a fresh id from the trimmed fields and empties them once it is saved; a
    // failed save keeps what was typed.
    void add();
    // Removes the templates with this id.
    void remove(const std::string& id);

private:
    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;

    std::vector<PathTemplate> templates_;
};

} // namespace ondravell
