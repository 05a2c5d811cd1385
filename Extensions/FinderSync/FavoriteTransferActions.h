#pragma once

#include "Extensions/FinderSync/Menu.h"
#include "core/Models/MenuContext.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace ondravell {

class FinderSyncExtension;
struct OndravellSettings;

// Copying or moving the selected items into one of the user's favourite folders, inside the extension,
// or handing them to the application, which asks for the folder. Each favourite item carries the
// folder's path, bound when the menu is built.
struct FavoriteTransferActions {
    static constexpr std::string_view copyActionID = "copy.to";
    static constexpr std::string_view moveActionID = "move.to";
    static constexpr std::string_view copyToOtherActionID = "copy.to.other";
    static constexpr std::string_view moveToOtherActionID = "move.to.other";
    // The submenu offers no more favourites than this; later ones get no item.
    static constexpr std::size_t maxFavoriteItems = 8;

    static void install(FinderSyncExtension& extension);

    // The first favourites, a separator when there are any, and the item for any other folder.
    static Menu transferSubmenu(const OndravellSettings& settings, bool move, bool dark);

    // Copies or moves the items into `folder` on the worker, with progress, a history entry and a toast.
    // Does nothing without items, or when `folder` is no longer one of the favourites as the settings
    // stand now.
    static void transferToFavorite(FinderSyncExtension& extension, const std::filesystem::path& folder,
                                   bool move, const MenuContext& context);
    // Asks the application to copy or move the items into a folder the user picks there. Without items,
    // or when the request cannot be written, nothing is sent.
    static void transferToOther(FinderSyncExtension& extension, bool move, const MenuContext& context);
};

} // namespace ondravell
