#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace ondravell {

// What the file manager tells the extension about the menu it is asking for, and where the extension
// wants to be asked at all.
class FinderSyncController {
public:
    struct Item {
        std::filesystem::path url;
        // nullopt when the file manager could not tell.
        std::optional<bool> isDirectory;
    };

    virtual ~FinderSyncController() = default;

    // The selected items, in the file manager's order.
    virtual std::vector<Item> selectedItems() const = 0;
    // The folder shown or clicked into.
    virtual std::optional<std::filesystem::path> targetedURL() const = 0;

    // The folders below which the extension serves menus, replaced whole.
    virtual void setDirectoryURLs(std::set<std::filesystem::path> urls) = 0;
    virtual std::set<std::filesystem::path> directoryURLs() const = 0;
};

} // namespace ondravell
