#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

namespace ondravell {

// Whole-item file operations that never overwrite and never leave half a result behind. Symbolic links
// are handled as links everywhere: they are copied, moved and removed themselves, never followed.
struct FileTree {
    // Asked, when the name an item was to take turns out to be taken by the time it gets there (another
    // program created it meanwhile), for the next target to try; nullopt gives up with EEXIST.
    using Retarget = std::function<std::optional<std::filesystem::path>(const std::filesystem::path& taken)>;

    // Copies a file, folder (recursively), link or special file to `to`, which must not exist yet.
    // Contents, permission bits and access and modification times are kept. The copy is made under a
    // hidden name beside `to` and takes the name `to` only once it is complete, so a copy cut short never
    // shows a part under the final name; when anything fails, what this copy made is removed again. A folder
    // is never copied into itself or its own subtree (that would recurse until the disk is full): such a copy
    // fails with ELOOP.
    static bool copy(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error);
    // The same, taking the next target `retarget` gives while the one tried is taken; `to` ends as the
    // target the item took.
    static bool copy(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                     const Retarget& retarget);

    // Moves an item to `to` without replacing anything there. Within one file system this is one rename;
    // across file systems the item is copied (keeping its owner too) under a hidden name in the
    // destination folder, takes the name `to` once the copy is complete, and the source is removed
    // afterwards. A failed copy leaves nothing behind in the destination.
    // When the move fails, the source stays as it was: a half-removed source is filled in again from
    // the copy before the copy goes away.
    static bool move(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error);
    // The same, taking the next target `retarget` gives while the one tried is taken (a copy made across
    // file systems is not made again for it); `to` ends as the target the item took.
    static bool move(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                     const Retarget& retarget);

    // Removes an item, a folder with everything in it. Keeps going past entries it cannot remove and
    // reports the first error.
    static bool remove(const std::filesystem::path& item, std::error_code& error);

    // Whether `item` is the folder `folder` itself or lies somewhere below it, judged by the identity of
    // the folders (device and inode) on the way up from `item`, so links and bind mounts cannot hide it.
    static bool isInside(const std::filesystem::path& item, const std::filesystem::path& folder);
};

} // namespace ondravell
