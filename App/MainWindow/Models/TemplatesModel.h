#pragma once

#include "App/MainWindow/Models/SettingsPageModel.h"
#include "core/FileOps/FileTemplate.h"
#include "core/FileOps/TemplateStore.h"

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ondravell {

// The templates of the file manager's new-file submenu: the built-ins and the user's own in menu
// order, which of them the menu shows, and the user's own templates with their icons. The order and
// the hidden set live in the settings record, the user's templates in "custom-templates.json", their
// pictures in "template-icons"; the module reads all three afresh at each menu, so every change shows
// at the next right-click.
class TemplatesModel final : public SettingsPageModel {
public:
    using SettingsPageModel::SettingsPageModel;

    // Every template once, in the order shown and used by the menu.
    const std::vector<FileTemplate>& ordered() const { return ordered_; }
    // The user's templates in stored order.
    const std::vector<FileTemplate>& custom() const { return custom_; }
    // Only the user's own templates can be edited and deleted.
    bool isCustom(const std::string& id) const;
    bool isShown(const std::string& id) const { return !disabledIDs_.contains(id); }

    // Writes the hidden set alone.
    void setShown(const std::string& id, bool shown);
    // A drag: the rows at `sources` go before the row at `destination`. Writes the whole shown order,
    // built-ins included, and nothing else.
    void moveRows(const std::set<std::size_t>& sources, std::size_t destination);
    // "上移" and "下移": a move out of the list does nothing and saves nothing.
    void moveRow(std::size_t index, int distance);

    // What the editor handed back: replaces the user template with its id in place, or appends it; true
    // when the list was saved. The icon file of a picture it replaces goes once the saved list no longer
    // names it; when the save fails, the picture written for this template goes instead and the list and
    // the other files stay as they were.
    bool save(const FileTemplate& fileTemplate);
    // Removes the user template and, once the list without it is saved, its icon file. The settings keep
    // its id in the order and the hidden set, where it matches nothing: ids are never reused.
    void remove(const FileTemplate& fileTemplate);

private:
    enum class Field { order, hidden };

    void read(const OndravellSettings& settings) override;
    void write(OndravellSettings& settings) const override;
    // Saves the user's list, shows what the file holds then, and removes one icon file the change made
    // unused: `dropped`, no longer named, after a save that held; `written`, made for the change, after
    // one that failed. An icon that a template of the list in the file names is never removed. The names
    // are copies: callers may pass those of a template in the list that the reload replaces.
    bool storeCustom(std::optional<std::string> dropped, std::optional<std::string> written);

    TemplateStore store_{TemplateStore::appGroupID};
    std::vector<FileTemplate> custom_;
    std::vector<FileTemplate> ordered_;
    std::set<std::string> disabledIDs_;
    Field changed_ = Field::order;
};

} // namespace ondravell
