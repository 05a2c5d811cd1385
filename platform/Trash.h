#pragma once

#include <filesystem>

namespace ondravell::platform {

// The user's trash, from which the file manager can put an item back: the home trash for items on the
// home folder's file system, a trash folder at the top of any other volume. May be called from any
// thread.
class Trash {
public:
    enum class Result {
        trashed,
        // The item's file system has no trash (system mounts such as a tmpfs at /tmp).
        unsupported,
        failed,
    };

    virtual ~Trash() = default;
    // Moves the item at `path` (a link itself, never what it points to; a folder with everything in it)
    // to the trash. When it cannot be trashed the item stays where it is.
    virtual Result moveToTrash(const std::filesystem::path& path) = 0;
};

} // namespace ondravell::platform
