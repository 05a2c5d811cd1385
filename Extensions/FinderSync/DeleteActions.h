#pragma once

#include "core/Models/MenuContext.h"

#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class FinderSyncExtension;

namespace platform {
class DistributedNotificationCenter;
}

// Permanent delete and the hidden-file toggle: neither touches a file here. The application confirms
// and deletes, and flips the file manager's setting; the extension only sends the request.
struct DeleteActions {
    static constexpr std::string_view deleteActionID = "delete";
    static constexpr std::string_view showHiddenActionID = "show.hidden";

    static void install(FinderSyncExtension& extension);

    // The paths the delete request may carry: each item's standardised path, in order, except protected
    // paths and paths the request's one-path-per-line text cannot carry faithfully (a line feed would
    // smuggle in a second path; the text is UTF-8).
    static std::vector<std::string> deletablePaths(const MenuContext& context);
    // Writes "pending-delete.txt" and posts the request. Nothing is posted when no path is left, there
    // is no container or the write failed (the file would still name an earlier request's items).
    static bool requestDelete(platform::DistributedNotificationCenter& center, const MenuContext& context);
};

} // namespace ondravell
