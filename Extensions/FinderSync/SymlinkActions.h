#pragma once

#include "core/FileOps/FileOperation.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;

// Symbolic links beside the selected items, pointing at them by absolute path, recorded as one
// operation so the application can undo them.
struct SymlinkActions {
    static constexpr std::string_view actionID = "make.symlink";
    static constexpr std::string_view linkSuffix = " link";

    static void install(FinderSyncExtension& extension);

    // Makes one link per item, in order, each under the first free name of "<stem> link[ n].<ext>" in the
    // item's folder as it is listed just then; an existing name is never replaced. Returns the links
    // made, the item as `from` and the link as `to`; items whose link could not be made are left out.
    static std::vector<FileOperationItem> makeLinks(const std::vector<std::filesystem::path>& items);
};

} // namespace ondravell
