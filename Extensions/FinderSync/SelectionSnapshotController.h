#pragma once

#include "Extensions/FinderSync/FinderSyncController.h"

#include <mutex>

namespace ondravell {

// A controller that answers with the selection its host last handed it. The file-manager module sets
// it just before it asks for a menu; tests set it by hand.
class SelectionSnapshotController final : public FinderSyncController {
public:
    void setSelection(std::vector<Item> items, std::optional<std::filesystem::path> targeted);

    std::vector<Item> selectedItems() const override;
    std::optional<std::filesystem::path> targetedURL() const override;
    void setDirectoryURLs(std::set<std::filesystem::path> urls) override;
    std::set<std::filesystem::path> directoryURLs() const override;

    // True when `location` lies in or below one of the directory URLs, component by component
    // ("/media/disk" is below "/media", "/mediax" is not).
    bool isObserved(const std::filesystem::path& location) const;

private:
    mutable std::mutex mutex_;
    std::vector<Item> items_;
    std::optional<std::filesystem::path> targeted_;
    std::set<std::filesystem::path> directories_;
};

} // namespace ondravell
