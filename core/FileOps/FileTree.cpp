#include "core/FileOps/FileTree.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ondravell {

namespace {

// The chunk of the read/write fallback, for file systems where the kernel cannot copy by itself.
constexpr std::size_t copyChunkSize = 1 << 20;
// copy_file_range takes at most this much per call; the loop asks again until the end of the file.
constexpr std::size_t copyRangeRequest = std::size_t{1} << 30;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        reset(other.release());
        return *this;
    }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

bool sameNode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool writeAll(int fd, const unsigned char* bytes, std::size_t length) {
    while (length > 0) {
        ssize_t written = ::write(fd, bytes, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

bool copyByReading(int in, int out) {
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(copyChunkSize);
    for (;;) {
        ssize_t got = ::read(in, buffer.get(), copyChunkSize);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(out, buffer.get(), static_cast<std::size_t>(got)))
            return false;
    }
}

// Lets the kernel copy (in-kernel, or shared extents where the file system can), and falls back to
// reading and writing where it cannot copy between these two files at all.
bool copyContents(int in, int out) {
    bool copiedAny = false;
    for (;;) {
        ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, copyRangeRequest, 0);
        if (copied > 0) {
            copiedAny = true;
            continue;
        }
        if (copied == 0)
            break;
        if (errno == EINTR)
            continue;
        if (!copiedAny && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                           errno == EBADF || errno == EPERM))
            return copyByReading(in, out);
        return false;
    }
    // Files that report no size (generated contents) give nothing to copy_file_range; reading them is
    // the only way, and costs one read call for a truly empty file.
    return copiedAny || copyByReading(in, out);
}

std::vector<std::pair<std::string, unsigned char>> listEntries(int folder, std::error_code& error) {
    std::vector<std::pair<std::string, unsigned char>> entries;
    int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        error = errnoCode();
        if (listing >= 0)
            ::close(listing);
        return entries;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        if (name != "." && name != "..")
            entries.emplace_back(name, entry->d_type);
    }
    if (errno != 0)
        error = errnoCode();
    ::closedir(dir);
    return entries;
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
    for (const auto& [entryName, entryType] : listEntries(inner.get(), listError))
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

struct CopyOptions {
    // Moves keep the owner; a copy belongs to whoever made it.
    bool keepOwner = false;
    // Fills in an existing tree: entries that exist are left as they are.
    bool merge = false;
};

// One recursive copy. Works on folder descriptors and names throughout, so nothing is looked up by a
// path that could change under it, and nothing is followed.
class TreeCopier {
public:
    explicit TreeCopier(CopyOptions options) : options_(options) {}

    bool copyEntry(int fromFolder, const char* fromName, int toFolder, const char* toName) {
        struct stat info {};
        if (::fstatat(fromFolder, fromName, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return fail();
        switch (info.st_mode & S_IFMT) {
        case S_IFREG:
            return copyFile(fromFolder, fromName, info, toFolder, toName);
        case S_IFDIR:
            return copyFolder(fromFolder, fromName, info, toFolder, toName);
        case S_IFLNK:
            return copyLink(fromFolder, fromName, info, toFolder, toName);
        default:
            return copySpecial(info, toFolder, toName);
        }
    }

    // Whether the top item was created by this copy, so only then is it cleared away after a failure.
    bool createdTop() const { return createdTop_; }
    const std::error_code& error() const { return error_; }

private:
    bool fail(std::error_code code = errnoCode()) {
        if (!error_)
            error_ = code;
        return false;
    }
    // The creation of an entry failed: in a merge an existing entry is kept, otherwise it is an error.
    bool creationFailed() { return options_.merge && errno == EEXIST ? true : fail(); }
    void created() {
        if (depth_ == 0)
            createdTop_ = true;
    }
    mode_t keptMode(const struct stat& info) const {
        // Without the owner, set-user and set-group bits would hand the copier's identity to the file.
        return info.st_mode & (options_.keepOwner ? 07777 : 01777);
    }

    // Owner, mode and times, in that order: a change of owner clears the set-id bits, and writing the
    // contents of a folder changes its times. Best effort: some file systems hold none of these.
    void finish(int fd, const struct stat& info) {
        if (options_.keepOwner && ::fchown(fd, info.st_uid, info.st_gid) != 0) {
        }
        if (::fchmod(fd, keptMode(info)) != 0) {
        }
        const timespec times[2] = {info.st_atim, info.st_mtim};
        ::futimens(fd, times);
    }
    void finishAt(int folder, const char* name, const struct stat& info, bool isLink) {
        int noFollow = isLink ? AT_SYMLINK_NOFOLLOW : 0;
        if (options_.keepOwner && ::fchownat(folder, name, info.st_uid, info.st_gid, noFollow) != 0) {
        }
        if (!isLink && ::fchmodat(folder, name, keptMode(info), 0) != 0) {
        }
        const timespec times[2] = {info.st_atim, info.st_mtim};
        ::utimensat(folder, name, times, noFollow);
    }

    bool copyFile(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                  const char* toName) {
        // Without blocking: had a FIFO replaced the file since it was looked at, opening it would wait.
        FileDescriptor in(
            ::openat(fromFolder, fromName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (!in)
            return fail();
        struct stat opened {};
        if (::fstat(in.get(), &opened) != 0)
            return fail();
        if (!S_ISREG(opened.st_mode) || !sameNode(opened, info))
            return fail(std::make_error_code(std::errc::invalid_argument));
        FileDescriptor out(
            ::openat(toFolder, toName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!out)
            return creationFailed();
        created();
        if (!copyContents(in.get(), out.get()))
            return fail();
        finish(out.get(), opened);
        // A network file system may report a failed write only here.
        return ::close(out.release()) == 0 || fail();
    }

    bool copyFolder(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                    const char* toName) {
        FileDescriptor in(::openat(fromFolder, fromName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!in)
            return fail();
        struct stat opened {};
        if (::fstat(in.get(), &opened) != 0)
            return fail();
        if (!sameNode(opened, info))
            return fail(std::make_error_code(std::errc::invalid_argument));
        // The copy's own top folder turning up inside what it copies: the copy would feed on itself.
        if (hasTop_ && sameNode(opened, top_))
            return fail(std::make_error_code(std::errc::too_many_symbolic_link_levels));
        if (::mkdirat(toFolder, toName, 0700) == 0)
            created();
        else if (!creationFailed())
            return false;
        FileDescriptor out(::openat(toFolder, toName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!out)
            return fail();
        if (!hasTop_ && ::fstat(out.get(), &top_) == 0)
            hasTop_ = true;
        std::error_code listError;
        auto entries = listEntries(in.get(), listError);
        if (listError)
            return fail(listError);
        ++depth_;
        for (const auto& entry : entries) {
            if (!copyEntry(in.get(), entry.first.c_str(), out.get(), entry.first.c_str())) {
                --depth_;
                return false;
            }
        }
        --depth_;
        finish(out.get(), opened);
        return true;
    }

    bool copyLink(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                  const char* toName) {
        std::string target(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096, '\0');
        ssize_t length = ::readlinkat(fromFolder, fromName, target.data(), target.size());
        if (length < 0)
            return fail();
        if (static_cast<std::size_t>(length) >= target.size())
            return fail(std::make_error_code(std::errc::filename_too_long));
        target.resize(static_cast<std::size_t>(length));
        if (::symlinkat(target.c_str(), toFolder, toName) != 0)
            return creationFailed();
        created();
        finishAt(toFolder, toName, info, true);
        return true;
    }

    bool copySpecial(const struct stat& info, int toFolder, const char* toName) {
        if (::mknodat(toFolder, toName, info.st_mode & (S_IFMT | 07777), info.st_rdev) != 0)
            return creationFailed();
        created();
        finishAt(toFolder, toName, info, false);
        return true;
    }

    CopyOptions options_;
    std::error_code error_;
    int depth_ = 0;
    bool createdTop_ = false;
    bool hasTop_ = false;
    struct stat top_ {};
};

bool copyItem(const std::filesystem::path& from, const std::filesystem::path& to, CopyOptions options,
              std::error_code& error) {
    error.clear();
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0) {
        error = errnoCode();
        return false;
    }
    std::filesystem::path toFolder = to.parent_path().empty() ? "." : to.parent_path();
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

bool moveAcrossFileSystems(const std::filesystem::path& from, const std::filesystem::path& to,
                           std::error_code& error) {
    if (!copyItem(from, to, {.keepOwner = true}, error))
        return false;
    std::error_code removeError;
    if (FileTree::remove(from, removeError))
        return true;
    // Part of the source may be gone already: fill it in again from the copy, and give up the copy only
    // once the source is whole.
    std::error_code restoreError;
    if (copyItem(to, from, {.keepOwner = true, .merge = true}, restoreError)) {
        std::error_code ignored;
        FileTree::remove(to, ignored);
    }
    error = removeError;
    return false;
}

} // namespace

bool FileTree::copy(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::error_code& error) {
    return copyItem(from, to, {}, error);
}

bool FileTree::move(const std::filesystem::path& from, const std::filesystem::path& to,
                    std::error_code& error) {
    error.clear();
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    const int renameError = errno;
    if (renameError == EXDEV)
        return moveAcrossFileSystems(from, to, error);
    if (renameError == EINVAL) {
        // Either the file system does not know the flag, or a folder was to go into its own subtree.
        struct stat info {};
        bool intoItself = ::lstat(from.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
                          isInside(to.parent_path().empty() ? "." : to.parent_path(), from);
        if (!intoItself)
            return renameWithoutReplacing(from, to, error);
    }
    error.assign(renameError, std::generic_category());
    return false;
}

bool FileTree::remove(const std::filesystem::path& item, std::error_code& error) {
    error.clear();
    return removeEntry(AT_FDCWD, item.c_str(), DT_UNKNOWN, error);
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
