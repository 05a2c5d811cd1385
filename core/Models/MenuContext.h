#pragma once

#include "core/Models/SelectedItem.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ondravell {

// What a file-manager menu is for: the selected items, in the file manager's order, and the folder the
// menu was opened in. The derived values are computed once, as every action's condition reads them.
class MenuContext {
public:
    MenuContext(std::vector<SelectedItem> items, std::optional<std::filesystem::path> container);

    const std::vector<SelectedItem>& items() const { return items_; }
    const std::optional<std::filesystem::path>& container() const { return container_; }

    std::size_t count() const { return items_.size(); }
    // The lower-cased extensions of the items; items without one contribute nothing.
    const std::set<std::string>& extensions() const { return extensions_; }
    // Items are present and every one is a folder.
    bool allDirectories() const { return allDirectories_; }
    // Items are present and none is a folder.
    bool allFiles() const { return allFiles_; }
    // The menu is for the folder clicked into, with nothing selected.
    bool isOnContainer() const { return items_.empty() && container_.has_value(); }

private:
    std::vector<SelectedItem> items_;
    std::optional<std::filesystem::path> container_;
    std::set<std::string> extensions_;
    bool allDirectories_ = false;
    bool allFiles_ = false;
};

} // namespace ondravell
