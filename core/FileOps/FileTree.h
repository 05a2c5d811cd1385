#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>

namespace ondravell {

// Whole-item file operations that never overwrite and never leave half a result behind. Symbolic links
// are handled as links everywhere: they are copied, moved and removed themselves, never followed.
struct FileTree {
    // Asked, when the name an item was to take turns out to be taken by the time it gets there (another
    // program created it meanwhile), for the next target to try; nullopt gives up with EEXIST.
    using Retarget = std::function<std::optional<std::filesystem::path>(const std::filesystem::path& taken)>;

    // Which item is found under a name: the same one for as long as it exists, whatever it is renamed to.
    struct Identity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        bool operator==(const Identity&) const = default;
        // The item at `path` itself (a link, not what it points to); nullopt when there is none.
        static std::optional<Identity> of(const std::filesystem::path& path);
    };

    // An item as it stands at one moment: which item, how large and when last modified (nanoseconds
    // since 1970). A move across file systems cut short removes its source only while the source still
    // stands as it did when its copy began.
    struct Version {
        Identity identity;
        std::uint64_t size = 0;
        std::int64_t modified = 0;
        bool operator==(const Version&) const = default;
        // The item at `path` itself; nullopt when there is none.
        static std::optional<Version> of(const std::filesystem::path& path);
    };

    // Told the item and the hidden partial name beside it right before the item is renamed to it.
    using Removing =
        std::function<void(const std::filesystem::path& item, const std::filesystem::path& partial)>;

    // What a run of copies learns of the file systems once and keeps for the items after: between which
    // two file systems (by device) extents cannot be shared, and in which folders unnamed files cannot be
    // made. Belongs to the one thread that runs the copies.
    struct Memory {
        std::set<std::pair<std::uint64_t, std::uint64_t>> noSharing;
        std::set<std::string> noUnnamedFiles;
    };

    struct Options {
        Retarget retarget;
        // Right before the step that gives an item the name `to` for good (a rename or a link), with the
        // identity the item will have there; again for each name tried.
        std::function<void(const std::filesystem::path& to, const Identity& item)> landing;
        // Right after that step; a move across file systems has not removed its source yet.
        std::function<void(const std::filesystem::path& to)> landed;
        // Right before a hidden partial item is made beside the target.
        std::function<void(const std::filesystem::path& partial)> partial;
        // Right before a move across file systems starts copying its source, with the source as it is then.
        std::function<void(const std::filesystem::path& from, const Version& source)> copying;
        // Right before a move across file systems renames an item it copied (its source, or the copy it gives
        // up) to a hidden partial beside it, to remove it there.
        Removing removing;
        Memory* memory = nullptr;
    };

    // Copies a file, folder (recursively), link or special file to `to`, which must not exist yet.
    // Contents, permission bits and access and modification times are kept. The copy never shows a part
    // under the name `to`: a regular file is copied into an unnamed file in the destination folder, which
    // takes its name only once complete (and which the system frees when the process ends before that);
    // anything else, and a file where the file system cannot make unnamed files, is made under a hidden
    // name beside `to` and renamed once complete. When anything fails, what this copy made is removed
    // again. A folder is never copied into itself or its own subtree (that would recurse until the disk is
    // full): such a copy fails with ELOOP.
    static bool copy(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error);
    // The same, taking the next target `options.retarget` gives while the one tried is taken; `to` ends as
    // the target the item took.
    static bool copy(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                     const Options& options);

    // Moves an item to `to` without replacing anything there. Within one file system this is one rename;
    // across file systems the item is copied as above (keeping its owner too), takes the name `to` once the
    // copy is complete, and the source is removed afterwards as `removeWhole` does, so a process killed at
    // any point leaves the whole item under one name or both, and at most a hidden partial. A failed copy
    // leaves nothing behind in the destination. When the move fails, the source stays as it was: a
    // half-removed source is filled in again from the copy before the copy goes away.
    static bool move(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error);
    // The same, taking the next target `options.retarget` gives while the one tried is taken (a copy made
    // across file systems is not made again for it); `to` ends as the target the item took.
    static bool move(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                     const Options& options);

    // Removes an item, a folder with everything in it. Keeps going past entries it cannot remove and
    // reports the first error.
    static bool remove(const std::filesystem::path& item, std::error_code& error);
    // Removes an item after renaming it, within its folder, to a hidden partial name told to `removing`
    // first, so that no part of it is ever left under its own name. An item that cannot be renamed stays
    // whole; one whose removal failed half-way stays under the partial name.
    static bool removeWhole(const std::filesystem::path& item, std::error_code& error,
                            const Removing& removing = {});

    // Whether the item `item` and `copy`, a copy made of it, hold the same tree: the same names everywhere,
    // each entry of one type at both, regular files of one size and modification time, folders of one
    // modification time (adding, removing or renaming an entry moves a folder's on), links of one target,
    // devices of one number. A copy is given its source's times to the nanosecond, so a time that differs
    // tells a change since, or a file system that cannot hold the time; either answers no, as does
    // anything that cannot be read. Never true where one tree has an entry the other lacks, or one
    // differing in type, size, time or target.
    static bool sameTree(const std::filesystem::path& item, const std::filesystem::path& copy);

    // Whether `item` is the folder `folder` itself or lies somewhere below it, judged by the identity of
    // the folders (device and inode) on the way up from `item`, so links and bind mounts cannot hide it.
    static bool isInside(const std::filesystem::path& item, const std::filesystem::path& folder);
};

} // namespace ondravell
