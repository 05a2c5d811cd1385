#pragma once

#include "Extensions/FinderSync/Menu.h"
#include "core/FileOps/PathFormat.h"
#include "core/Models/MenuContext.h"

#include <cstddef>
#include <string_view>

namespace ondravell {

class FinderSyncExtension;
struct OndravellSettings;

// Copying the selected items' paths: the seven path formats, then the user's path templates, each
// template item bound to the template's id when the menu is built.
struct CopyPathActions {
    static constexpr std::string_view formatActionID = "copy.path";
    static constexpr std::string_view templateActionID = "copy.path.template";
    // The menu offers no more templates than this; later ones get no item.
    static constexpr std::size_t maxTemplateItems = 8;

    static void install(FinderSyncExtension& extension);

    static Menu pathFormatSubmenu(const OndravellSettings& settings);

    // Formats the items' paths (relative ones to the folder clicked into, else to the first item's
    // folder), puts them on the clipboard and asks for a toast. No items or empty text: nothing.
    static void copyPath(FinderSyncExtension& extension, PathFormat format, const MenuContext& context);
    // The same through the template that has `templateID` in the settings as they are now; a template
    // removed since the menu was built does nothing.
    static void copyPathTemplate(FinderSyncExtension& extension, std::string_view templateID,
                                 const MenuContext& context);
};

} // namespace ondravell
