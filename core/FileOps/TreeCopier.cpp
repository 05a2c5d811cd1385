#include "core/FileOps/TreeCopier.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <string>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ondravell {

namespace {

// The chunk of the read/write fallback, for file systems where the kernel cannot copy by itself.
constexpr std::size_t copyChunkSize = 1 << 20;
// copy_file_range takes at most this much per call; the loop asks again until the end of the file.
constexpr std::size_t copyRangeRequest = std::size_t{1} << 30;

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

bool sameNode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Owner, mode and times are kept where the file system can hold them; where it cannot, the copy stands.
void bestEffort(int) {}

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

// Copies the bytes [offset, end) at the same offsets, by the kernel where it can copy between these two
// files and by reading and writing where it cannot.
bool copyRange(int in, int out, off_t offset, off_t end) {
    off_t inOffset = offset;
    off_t outOffset = offset;
    while (inOffset < end) {
        auto request = static_cast<std::size_t>(std::min<off_t>(end - inOffset, off_t{copyRangeRequest}));
        ssize_t copied = ::copy_file_range(in, &inOffset, out, &outOffset, request, 0);
        if (copied > 0)
            continue;
        if (copied == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF ||
            errno == EPERM)
            break;
        return false;
    }
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(copyChunkSize);
    while (inOffset < end) {
        auto request = static_cast<std::size_t>(std::min<off_t>(end - inOffset, off_t{copyChunkSize}));
        ssize_t got = ::pread(in, buffer.get(), request, inOffset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        for (ssize_t written = 0; written < got;) {
            ssize_t step = ::pwrite(out, buffer.get() + written, static_cast<std::size_t>(got - written),
                                    outOffset + written);
            if (step < 0 && errno != EINTR)
                return false;
            written += std::max<ssize_t>(step, 0);
        }
        inOffset += got;
        outOffset += got;
    }
    return true;
}

// A file with holes: only its data is copied, so the holes stay holes and a mostly empty disk image
// takes no more room than it did. The size is that of the file when it was opened.
bool copySparse(int in, int out, off_t size) {
    for (off_t offset = 0; offset < size;) {
        off_t data = ::lseek(in, offset, SEEK_DATA);
        // No data after the offset: the rest is one hole. A file system that cannot tell gets the rest
        // copied whole.
        if (data < 0 && errno != ENXIO && !copyRange(in, out, offset, size))
            return false;
        if (data < 0 || data >= size)
            break;
        off_t hole = ::lseek(in, data, SEEK_HOLE);
        hole = hole < 0 ? size : std::min(hole, size);
        if (!copyRange(in, out, data, hole))
            return false;
        offset = hole;
    }
    return ::ftruncate(out, size) == 0;
}

// Whether a failure to share extents tells of the two file systems rather than of the one file.
bool sharingUnsupported(int error) {
    return error == EOPNOTSUPP || error == ENOTTY || error == EXDEV || error == ENOSYS;
}

} // namespace

// Shares the file's extents where the file system can (instant, holes and all), copies only the data of
// a file with holes, and lets the kernel copy everything else, falling back to reading and writing where
// it cannot copy between these two files at all.
bool TreeCopier::copyContents(int in, int out, const struct stat& info, dev_t toDevice) {
    FileTree::Memory* memory = toDevice != 0 ? options_.memory : nullptr;
    const std::pair<std::uint64_t, std::uint64_t> devices{info.st_dev, toDevice};
    if (info.st_size > 0 && !(memory && memory->noSharing.contains(devices))) {
        if (::ioctl(out, FICLONE, in) == 0)
            return true;
        if (memory && sharingUnsupported(errno))
            memory->noSharing.insert(devices);
    }
    // Fewer blocks than the size needs tells of holes; the file system confirms where they are.
    if (info.st_size > 0 && info.st_blocks * 512 < info.st_size) {
        off_t firstHole = ::lseek(in, 0, SEEK_HOLE);
        if (firstHole >= 0 && firstHole < info.st_size)
            return copySparse(in, out, info.st_size);
    }
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

namespace {

// The extended attributes of one item, POSIX ACLs (system.posix_acl_*) among them, each set on the copy
// for itself: a file system that refuses one (no user attributes on it, no right to trusted ones) costs
// the copy that attribute, never the copy.
void copyAttributes(int in, int out) {
    char small[1024];
    std::unique_ptr<char[]> large;
    char* names = small;
    ssize_t length = ::flistxattr(in, small, sizeof small);
    if (length < 0 && errno == ERANGE) {
        ssize_t needed = ::flistxattr(in, nullptr, 0);
        if (needed <= 0)
            return;
        large = std::make_unique<char[]>(static_cast<std::size_t>(needed));
        names = large.get();
        length = ::flistxattr(in, names, static_cast<std::size_t>(needed));
    }
    if (length <= 0)
        return;
    std::string value;
    for (const char* name = names; name < names + length; name += std::strlen(name) + 1) {
        ssize_t size = ::fgetxattr(in, name, nullptr, 0);
        if (size < 0)
            continue;
        value.resize(static_cast<std::size_t>(size));
        size = ::fgetxattr(in, name, value.data(), value.size());
        if (size >= 0)
            bestEffort(::fsetxattr(out, name, value.data(), static_cast<std::size_t>(size), 0));
    }
}

} // namespace

std::vector<std::pair<std::string, unsigned char>> listFolderEntries(int folder, std::error_code& error) {
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

std::optional<std::string> readLinkTarget(int folder, const char* name, const struct stat& info,
                                          std::error_code& error) {
    std::string target(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096, '\0');
    ssize_t length = ::readlinkat(folder, name, target.data(), target.size());
    if (length < 0) {
        error = errnoCode();
        return std::nullopt;
    }
    if (static_cast<std::size_t>(length) >= target.size()) {
        error = std::make_error_code(std::errc::filename_too_long);
        return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(length));
    return target;
}

bool TreeCopier::copyEntry(int fromFolder, const char* fromName, int toFolder, const char* toName) {
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

bool TreeCopier::fail(std::error_code code) {
    if (!error_)
        error_ = code;
    return false;
}

bool TreeCopier::fail() {
    return fail(errnoCode());
}

// The creation of an entry failed: in a merge an existing entry is kept, otherwise it is an error.
bool TreeCopier::creationFailed() {
    return options_.merge && errno == EEXIST ? true : fail();
}

void TreeCopier::created() {
    if (depth_ == 0)
        createdTop_ = true;
}

mode_t TreeCopier::keptMode(const struct stat& info) const {
    // Without the owner, set-user and set-group bits would hand the copier's identity to the file.
    return info.st_mode & (options_.keepOwner ? 07777 : 01777);
}

// Owner, mode and times, in that order: a change of owner clears the set-id bits, and writing the
// contents of a folder changes its times.
void TreeCopier::finish(int from, int fd, const struct stat& info) {
    if (options_.keepOwner)
        bestEffort(::fchown(fd, info.st_uid, info.st_gid));
    // After the owner, whose change would clear a file capability; before the mode, which then sets the
    // ACL's mask to what the original's mode shows of it.
    copyAttributes(from, fd);
    bestEffort(::fchmod(fd, keptMode(info)));
    const timespec times[2] = {info.st_atim, info.st_mtim};
    bestEffort(::futimens(fd, times));
}

void TreeCopier::finishAt(int folder, const char* name, const struct stat& info, bool isLink) {
    int noFollow = isLink ? AT_SYMLINK_NOFOLLOW : 0;
    if (options_.keepOwner)
        bestEffort(::fchownat(folder, name, info.st_uid, info.st_gid, noFollow));
    // A link has no mode of its own on Linux.
    if (!isLink)
        bestEffort(::fchmodat(folder, name, keptMode(info), 0));
    const timespec times[2] = {info.st_atim, info.st_mtim};
    bestEffort(::utimensat(folder, name, times, noFollow));
}

FileDescriptor TreeCopier::openRegular(int folder, const char* name, struct stat& info,
                                       std::error_code& error) {
    // Without blocking: had a FIFO replaced the file since it was looked at, opening it would wait.
    FileDescriptor in(::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat opened {};
    if (!in || ::fstat(in.get(), &opened) != 0) {
        error = errnoCode();
        return FileDescriptor();
    }
    if (!S_ISREG(opened.st_mode) || !sameNode(opened, info)) {
        error = std::make_error_code(std::errc::invalid_argument);
        return FileDescriptor();
    }
    info = opened;
    return in;
}

bool TreeCopier::copyFileInto(int in, const struct stat& info, int out, dev_t toDevice) {
    if (!copyContents(in, out, info, toDevice))
        return fail();
    finish(in, out, info);
    return true;
}

bool TreeCopier::copyFile(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                          const char* toName) {
    std::error_code openError;
    struct stat opened = info;
    FileDescriptor in = openRegular(fromFolder, fromName, opened, openError);
    if (!in)
        return fail(openError);
    FileDescriptor out(
        ::openat(toFolder, toName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!out)
        return creationFailed();
    created();
    if (!copyFileInto(in.get(), opened, out.get(), depth_ > 0 ? toDevice_ : 0))
        return false;
    // A network file system may report a failed write only here.
    return ::close(out.release()) == 0 || fail();
}

bool TreeCopier::copyFolder(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
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
    const dev_t outerDevice = toDevice_;
    toDevice_ = top_.st_dev;
    std::error_code listError;
    auto entries = listFolderEntries(in.get(), listError);
    if (listError)
        return fail(listError);
    ++depth_;
    bool copiedAll = true;
    for (const auto& entry : entries) {
        copiedAll = copyEntry(in.get(), entry.first.c_str(), out.get(), entry.first.c_str());
        if (!copiedAll)
            break;
    }
    --depth_;
    toDevice_ = outerDevice;
    if (copiedAll)
        finish(in.get(), out.get(), opened);
    return copiedAll;
}

bool TreeCopier::copyLink(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                          const char* toName) {
    std::error_code readError;
    const auto target = readLinkTarget(fromFolder, fromName, info, readError);
    if (!target)
        return fail(readError);
    if (::symlinkat(target->c_str(), toFolder, toName) != 0)
        return creationFailed();
    created();
    finishAt(toFolder, toName, info, true);
    return true;
}

bool TreeCopier::copySpecial(const struct stat& info, int toFolder, const char* toName) {
    if (::mknodat(toFolder, toName, info.st_mode & (S_IFMT | 07777), info.st_rdev) != 0)
        return creationFailed();
    created();
    finishAt(toFolder, toName, info, false);
    return true;
}

} // namespace ondravell
