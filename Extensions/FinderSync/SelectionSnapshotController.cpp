#include "Extensions/FinderSync/SelectionSnapshotController.h"

#include "core/Support/PathRules.h"

#include <algorithm>

namespace ondravell {

void SelectionSnapshotController::setSelection(std::vector<Item> items,
                                               std::optional<std::filesystem::path> targeted) {
    std::lock_guard lock(mutex_);
    items_ = std::move(items);
    targeted_ = std::move(targeted);
}

std::vector<FinderSyncController::Item> SelectionSnapshotController::selectedItems() const {
    std::lock_guard lock(mutex_);
    return items_;
}

std::optional<std::filesystem::path> SelectionSnapshotController::targetedURL() const {
    std::lock_guard lock(mutex_);
    return targeted_;
}

void SelectionSnapshotController::setDirectoryURLs(std::set<std::filesystem::path> urls) {
    std::lock_guard lock(mutex_);
    directories_ = std::move(urls);
}

std::set<std::filesystem::path> SelectionSnapshotController::directoryURLs() const {
    std::lock_guard lock(mutex_);
    return directories_;
}

bool SelectionSnapshotController::isObserved(const std::filesystem::path& location) const {
    std::string path = PathRules::standardized(location.string());
    std::lock_guard lock(mutex_);
    return std::any_of(directories_.begin(), directories_.end(), [&](const std::filesystem::path& directory) {
        std::string folder = PathRules::standardized(directory.string());
        if (folder.empty())
            return false;
        if (folder == "/")
            return path.starts_with('/');
        return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
    });
}

} // namespace ondravell
