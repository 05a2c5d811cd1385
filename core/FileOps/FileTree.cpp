#include "core/FileOps/FileTree.h"

#include "core/FileOps/FileDescriptor.h"
#include "core/FileOps/Leftovers.h"
#include "core/FileOps/TreeCopier.h"
#include "core/Support/Uuid.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

bool sameNode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::filesystem::path folderOf(const std::filesystem::path& item) {
    return item.parent_path().empty() ? "." : item.parent_path();
}

// Removes `name` in `folder`, depth first. Entries are listed before any is removed, so removal never
// races the directory stream. Goes on past failures; the first one is kept in `error`.
bool removeEntry(int folder, const char* name, unsigned char type, std::error_code& error) {
    if (type != DT_DIR) {
        if (::unlinkat(folder, name, 0) == 0)
            return true;
        // Linux answers EISDIR for a folder whose type the listing did not tell.
        if (errno != EISDIR) {
            if (!error)
                error = errnoCode();
            return false;
        }
    }
    FileDescriptor inner(::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!inner) {
        if (!error)
            error = errnoCode();
        return false;
    }
    std::error_code listError;
    bool removedAll = true;
    for (const auto& [entryName, entryType] : listFolderEntries(inner.get(), listError))
        removedAll = removeEntry(inner.get(), entryName.c_str(), entryType, error) && removedAll;
    if (listError && !error)
        error = listError;
    inner.reset();
    if (::unlinkat(folder, name, AT_REMOVEDIR) != 0) {
        if (!error)
            error = errnoCode();
        return false;
    }
    return removedAll && !listError;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The names in a folder, sorted; nullopt when it cannot be read whole.
std::optional<std::vector<std::string>> sortedNames(int folder) {
    std::error_code error;
    auto entries = listFolderEntries(folder, error);
    if (error)
        return std::nullopt;
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& entry : entries)
        names.push_back(std::move(entry.first));
    std::sort(names.begin(), names.end());
    return names;
}

// Opens the folder `name` in `folder` if it is still the item `info` describes.
FileDescriptor openFolder(int folder, const char* name, const struct stat& info) {
    FileDescriptor opened(::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat now {};
    if (opened && (::fstat(opened.get(), &now) != 0 || !sameNode(now, info)))
        opened.reset();
    return opened;
}

bool sameEntry(int folder, const char* name, int copyFolder, const char* copyName);

bool sameFolder(int folder, const char* name, const struct stat& info, int copyFolder, const char* copyName,
                const struct stat& copyInfo) {
    const FileDescriptor item = openFolder(folder, name, info);
    const FileDescriptor copy = openFolder(copyFolder, copyName, copyInfo);
    if (!item || !copy)
        return false;
    const auto names = sortedNames(item.get());
    if (!names || names != sortedNames(copy.get()))
        return false;
    return std::all_of(names->begin(), names->end(), [&](const std::string& entry) {
        return sameEntry(item.get(), entry.c_str(), copy.get(), entry.c_str());
    });
}

// Whether `name` in `folder` and its copy `copyName` in `copyFolder` hold the same, as FileTree::sameTree
// tells it.
bool sameEntry(int folder, const char* name, int copyFolder, const char* copyName) {
    struct stat item {
    }, copy{};
    if (::fstatat(folder, name, &item, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstatat(copyFolder, copyName, &copy, AT_SYMLINK_NOFOLLOW) != 0 ||
        (item.st_mode & S_IFMT) != (copy.st_mode & S_IFMT))
        return false;
    switch (item.st_mode & S_IFMT) {
    case S_IFREG:
        return item.st_size == copy.st_size && sameTime(item.st_mtim, copy.st_mtim);
    case S_IFDIR:
        return sameTime(item.st_mtim, copy.st_mtim) &&
               sameFolder(folder, name, item, copyFolder, copyName, copy);
    case S_IFLNK: {
        std::error_code ignored;
        const auto target = readLinkTarget(folder, name, item, ignored);
        return target && target == readLinkTarget(copyFolder, copyName, copy, ignored);
    }
    case S_IFCHR:
    case S_IFBLK:
        return item.st_rdev == copy.st_rdev;
    default:
        // A pipe or a socket holds nothing.
        return true;
    }
}

// The next target when `to` was found taken; nullopt when there is none to try.
std::optional<std::filesystem::path> nextTarget(const FileTree::Retarget& retarget, std::filesystem::path& to,
                                                const std::error_code& error) {
    if (!retarget || error != std::errc::file_exists)
        return std::nullopt;
    auto next = retarget(to);
    if (next)
        to = *next;
    return next;
}

bool copyItem(const std::filesystem::path& from, const std::filesystem::path& to, TreeCopier::Options options,
              std::error_code& error) {
    error.clear();
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0) {
        error = errnoCode();
        return false;
    }
    const std::filesystem::path toFolder = folderOf(to);
    if (S_ISDIR(info.st_mode) && FileTree::isInside(toFolder, from)) {
        error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
        return false;
    }
    TreeCopier copier(options);
    if (copier.copyEntry(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str()))
        return true;
    error = copier.error();
    if (copier.createdTop() && !options.merge) {
        std::error_code ignored;
        FileTree::remove(to, ignored);
    }
    return false;
}

// For file systems that cannot promise not to replace (RENAME_NOREPLACE unsupported): a hard link
// cannot replace either; a folder is renamed after a check, which a plain rename would honour for
// anything but an empty folder created in between.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                            std::error_code& error) {
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0) {
        error = errnoCode();
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0)
                return true;
            error = errnoCode();
            ::unlink(to.c_str());
            return false;
        }
        if (errno == EEXIST) {
            error = errnoCode();
            return false;
        }
    }
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0 || errno != ENOENT) {
        error = std::make_error_code(std::errc::file_exists);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    error = errnoCode();
    return false;
}

// Renames without replacing anything at `to`, where the file system knows how to promise that or not.
bool renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL)
        return renameWithoutReplacing(from, to, error);
    error = errnoCode();
    return false;
}

// A hidden name beside `to` for the copy while it is being made.
std::filesystem::path partialName(const std::filesystem::path& to) {
    return to.parent_path() / (std::string(Leftovers::movingPrefix) + makeUUIDString());
}

// Whether a failure to make an unnamed file tells that the file system (or the kernel) cannot.
bool unnamedFilesUnsupported(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the complete unnamed file `out` the name `to`, or the next free one, through its /proc link (a
// link by descriptor itself needs a privilege). A link never replaces: a taken name fails with EEXIST.
// Nothing is written after the link, so a file system that reports write errors only on close (which
// cannot make unnamed files anyway) would not show half a file under the name.
bool linkIntoPlace(int out, const FileTree::Identity& identity, std::filesystem::path& to,
                   std::error_code& error, const FileTree::Options& options) {
    const std::string link = "/proc/self/fd/" + std::to_string(out);
    for (;;) {
        if (options.landing)
            options.landing(to, identity);
        if (::linkat(AT_FDCWD, link.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        error = errnoCode();
        if (!nextTarget(options.retarget, to, error))
            return false;
    }
}

// A regular file is copied into an unnamed file in the destination folder, which takes its name only once
// it is complete; killed half-way, it leaves nothing at all, as the system frees an unnamed file with its
// last descriptor. nullopt where the folder's file system cannot make unnamed files or /proc is missing:
// the caller copies under a hidden name then, and the memory spares the next items the attempt.
std::optional<bool> copyUnnamed(const std::filesystem::path& from, struct stat info,
                                std::filesystem::path& to, TreeCopier::Options copyOptions,
                                std::error_code& error, const FileTree::Options& options) {
    const std::string folder = folderOf(to);
    if (options.memory && options.memory->noUnnamedFiles.contains(folder))
        return std::nullopt;
    auto unsupported = [&]() -> std::optional<bool> {
        if (options.memory)
            options.memory->noUnnamedFiles.insert(folder);
        return std::nullopt;
    };
    FileDescriptor in = TreeCopier::openRegular(AT_FDCWD, from.c_str(), info, error);
    if (!in)
        return false;
    FileDescriptor out(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (!out) {
        if (unnamedFilesUnsupported(errno))
            return unsupported();
        error = errnoCode();
        return false;
    }
    struct stat made {};
    if (::fstat(out.get(), &made) != 0) {
        error = errnoCode();
        return false;
    }
    TreeCopier copier(copyOptions);
    if (!copier.copyFileInto(in.get(), info, out.get(), made.st_dev)) {
        error = copier.error();
        return false;
    }
    if (linkIntoPlace(out.get(), {made.st_dev, made.st_ino}, to, error, options))
        return true;
    if (error == std::errc::no_such_file_or_directory && ::access("/proc/self/fd", F_OK) != 0)
        return unsupported();
    return false;
}

// Renames the complete partial item into place, or to the next free name.
bool renameIntoPlace(const std::filesystem::path& partial, std::filesystem::path& to, std::error_code& error,
                     const FileTree::Options& options) {
    const auto identity = options.landing ? FileTree::Identity::of(partial) : std::nullopt;
    for (;;) {
        if (identity)
            options.landing(to, *identity);
        if (renameNoReplace(partial, to, error))
            return true;
        if (!nextTarget(options.retarget, to, error))
            return false;
    }
}

// The copy takes the item's name only once it is complete, so a copy cut short (an error, the disk full,
// the program killed) never leaves a part under the final name.
bool copyIntoPlace(const std::filesystem::path& from, std::filesystem::path& to,
                   TreeCopier::Options copyOptions, std::error_code& error,
                   const FileTree::Options& options) {
    copyOptions.memory = options.memory;
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0) {
        error = errnoCode();
        return false;
    }
    if (S_ISREG(info.st_mode)) {
        if (auto copied = copyUnnamed(from, info, to, copyOptions, error, options)) {
            if (*copied && options.landed)
                options.landed(to);
            return *copied;
        }
        error.clear();
    }
    // A name taken already costs no copy.
    struct stat existing {};
    while (::lstat(to.c_str(), &existing) == 0) {
        error = std::make_error_code(std::errc::file_exists);
        if (!nextTarget(options.retarget, to, error))
            return false;
    }
    const std::filesystem::path partial = partialName(to);
    if (options.partial)
        options.partial(partial);
    if (!copyItem(from, partial, copyOptions, error))
        return false;
    if (!renameIntoPlace(partial, to, error, options)) {
        std::error_code ignored;
        FileTree::remove(partial, ignored);
        return false;
    }
    if (options.landed)
        options.landed(to);
    return true;
}

// Renames `item` within its folder to a hidden partial name, told to `removing` first; nullopt when it
// cannot be renamed.
std::optional<std::filesystem::path> renameAway(const std::filesystem::path& item, std::error_code& error,
                                                const FileTree::Removing& removing) {
    const std::filesystem::path partial = partialName(item);
    if (removing)
        removing(item, partial);
    if (!renameNoReplace(item, partial, error))
        return std::nullopt;
    return partial;
}

bool moveAcrossFileSystems(const std::filesystem::path& from, std::filesystem::path& to,
                           std::error_code& error, const FileTree::Options& options) {
    const auto source = FileTree::Version::of(from);
    if (!source) {
        error = errnoCode();
        return false;
    }
    if (options.copying)
        options.copying(from, *source);
    if (!copyIntoPlace(from, to, {.keepOwner = true}, error, options))
        return false;
    // The source goes under a hidden name first, so that a process killed while it is being removed
    // leaves no part of it under its own name.
    std::error_code removeError;
    const auto partial = renameAway(from, removeError, options.removing);
    if (partial && FileTree::remove(*partial, removeError))
        return true;
    // Part of the source may be gone already: put it back under its name, fill it in again from the
    // copy, and give up the copy only once the source is whole.
    std::error_code restoreError;
    if (partial && !renameNoReplace(*partial, from, restoreError)) {
        error = removeError;
        return false;
    }
    if (copyItem(to, from, {.keepOwner = true, .merge = true}, restoreError)) {
        std::error_code ignored;
        FileTree::removeWhole(to, ignored, options.removing);
    }
    error = removeError;
    return false;
}

} // namespace

std::optional<FileTree::Identity> FileTree::Identity::of(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

std::optional<FileTree::Version> FileTree::Version::of(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return Version{{info.st_dev, info.st_ino},
                   static_cast<std::uint64_t>(info.st_size),
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

bool FileTree::copy(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::error_code& error) {
    std::filesystem::path target = to;
    return copy(from, target, error, {});
}

bool FileTree::copy(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                    const Options& options) {
    error.clear();
    return copyIntoPlace(from, to, {}, error, options);
}

bool FileTree::move(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::error_code& error) {
    std::filesystem::path target = to;
    return move(from, target, error, {});
}

bool FileTree::move(const std::filesystem::path& from, std::filesystem::path& to, std::error_code& error,
                    const Options& options) {
    // A rename keeps the item's identity; a move across file systems tells its copy's own.
    const auto identity = options.landing ? Identity::of(from) : std::nullopt;
    for (;;) {
        error.clear();
        if (identity)
            options.landing(to, *identity);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            break;
        const int renameError = errno;
        if (renameError == EXDEV)
            return moveAcrossFileSystems(from, to, error, options);
        if (renameError == EINVAL) {
            // Either the file system does not know the flag, or a folder was to go into its own subtree.
            struct stat info {};
            bool intoItself =
                ::lstat(from.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && isInside(folderOf(to), from);
            if (!intoItself) {
                if (renameWithoutReplacing(from, to, error))
                    break;
                if (nextTarget(options.retarget, to, error))
                    continue;
                return false;
            }
        }
        error.assign(renameError, std::generic_category());
        if (nextTarget(options.retarget, to, error))
            continue;
        return false;
    }
    if (options.landed)
        options.landed(to);
    return true;
}

bool FileTree::remove(const std::filesystem::path& item, std::error_code& error) {
    error.clear();
    return removeEntry(AT_FDCWD, item.c_str(), DT_UNKNOWN, error);
}

bool FileTree::removeWhole(const std::filesystem::path& item, std::error_code& error,
                           const Removing& removing) {
    error.clear();
    const auto partial = renameAway(item, error, removing);
    return partial && remove(*partial, error);
}

bool FileTree::sameTree(const std::filesystem::path& item, const std::filesystem::path& copy) {
    return sameEntry(AT_FDCWD, item.c_str(), AT_FDCWD, copy.c_str());
}

bool FileTree::isInside(const std::filesystem::path& item, const std::filesystem::path& folder) {
    struct stat target {};
    if (::stat(folder.c_str(), &target) != 0 || !S_ISDIR(target.st_mode))
        return false;
    FileDescriptor current(::open(item.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat here {};
    if (!current || ::fstat(current.get(), &here) != 0)
        return false;
    for (;;) {
        if (sameNode(here, target))
            return true;
        FileDescriptor parent(::openat(current.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat above {};
        if (!parent || ::fstat(parent.get(), &above) != 0 || sameNode(above, here))
            return false;
        current = std::move(parent);
        here = above;
    }
}

} // namespace ondravell
