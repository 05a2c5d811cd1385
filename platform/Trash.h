#pragma once

#include <filesystem>

namespace ondravell::platform {

// The user's trash, from which the file manager can put an item back: the home trash for items on the
// home folder's file system, a trash folder at the top of any other volume. May be called from any
// thread.
class Trash {
public:
    virtual ~Trash() = default;
    // Moves the item at `path` (a link itself, never what it points to; a folder with everything in it)
    // to the trash. False when it cannot be trashed; the item then stays where it is.
    virtual bool moveToTrash(const std::filesystem::path& path) = 0;
};

} // namespace ondravell::platform
