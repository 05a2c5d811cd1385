#include "core/FileOps/FileTree.h"

#include "tests/core/FileOps/PrivateMounts.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace ondravell;
using ondravell::testing::inPrivateMounts;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;
using FileTreeMoveAcrossFileSystems = ondravell::testing::AcrossFileSystems;

namespace {

struct stat statOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

void setModificationTime(const fs::path& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// Files larger than the limit cannot be written while it holds (EFBIG, the signal ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

// Marks a file immutable, so that not even root can remove it, for as long as it lives.
class ImmutableFile {
public:
    explicit ImmutableFile(const fs::path& file) : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
        int flags = 0;
        applied_ =
            fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0 && setFlags(flags | FS_IMMUTABLE_FL);
    }
    ~ImmutableFile() {
        int flags = 0;
        if (applied_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0)
            setFlags(flags & ~FS_IMMUTABLE_FL);
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool applied() const { return applied_; }

private:
    bool setFlags(int flags) { return ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0; }
    int fd_;
    bool applied_ = false;
};

// A file of `size` bytes holding only `data` at `offset`, the rest holes. False where the file system
// writes holes out.
bool writeSparse(const fs::path& file, off_t size, off_t offset, std::string_view data) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool written = fd >= 0 && ::ftruncate(fd, size) == 0 &&
                   ::pwrite(fd, data.data(), data.size(), offset) == static_cast<ssize_t>(data.size());
    if (fd >= 0)
        ::close(fd);
    return written && statOf(file).st_blocks * 512 < size / 2;
}

std::string readAt(const fs::path& file, off_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ssize_t got = fd >= 0 ? ::pread(fd, bytes.data(), length, offset) : -1;
    if (fd >= 0)
        ::close(fd);
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

std::optional<std::string> attribute(const fs::path& item, const char* name) {
    std::string value(4096, '\0');
    ssize_t length = ::lgetxattr(item.c_str(), name, value.data(), value.size());
    if (length < 0)
        return std::nullopt;
    value.resize(static_cast<std::size_t>(length));
    return value;
}

bool setAttribute(const fs::path& item, const char* name, std::string_view value) {
    return ::lsetxattr(item.c_str(), name, value.data(), value.size(), 0) == 0;
}

// A POSIX ACL in the form the kernel stores it: mode bits for owner, group and others, and one named
// user with read access, so the mask is read too.
std::string aclGivingUserRead(uid_t user, unsigned owner, unsigned group, unsigned other) {
    struct Entry {
        std::uint16_t tag, perm;
        std::uint32_t id;
    };
    constexpr std::uint32_t none = 0xffffffff;
    const Entry entries[] = {{0x01, std::uint16_t(owner), none},
                             {0x02, 4, user},
                             {0x04, std::uint16_t(group), none},
                             {0x10, 4, none},
                             {0x20, std::uint16_t(other), none}};
    std::string value(4, '\0');
    value[0] = 2;
    value.append(reinterpret_cast<const char*>(entries), sizeof entries);
    return value;
}

// Whether a file system takes an attribute of this kind, tried on a scratch file in `folder`.
bool takesAttribute(const fs::path& folder, const char* name, std::string_view value) {
    fs::path probe = folder / ".probe";
    writeText(probe, "");
    bool taken = setAttribute(probe, name, value);
    fs::remove(probe);
    return taken;
}

} // namespace

TEST(FileTreeCopy, KeepsContentsModesTimesLinksAndSpecialFiles) {
    TemporaryFolder folder;
    fs::path tree = folder / "tree";
    fs::create_directories(tree / "inner");
    writeText(tree / "inner" / "a.txt", "alpha");
    ::chmod((tree / "inner" / "a.txt").c_str(), 0640);
    setModificationTime(tree / "inner" / "a.txt", 1000000000);
    fs::create_symlink("inner/a.txt", tree / "link");
    fs::create_symlink("nowhere", tree / "dangling");
    ASSERT_EQ(::mkfifo((tree / "pipe").c_str(), 0600), 0);
    ::chmod((tree / "inner").c_str(), 0750);
    setModificationTime(tree / "inner", 1100000000);

    std::error_code error;
    ASSERT_TRUE(FileTree::copy(tree, folder / "copy", error)) << error.message();
    EXPECT_EQ(readText(folder / "copy" / "inner" / "a.txt"), "alpha");
    EXPECT_EQ(statOf(folder / "copy" / "inner" / "a.txt").st_mode & 07777, 0640u);
    EXPECT_EQ(statOf(folder / "copy" / "inner" / "a.txt").st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(statOf(folder / "copy" / "inner").st_mode & 07777, 0750u);
    EXPECT_EQ(statOf(folder / "copy" / "inner").st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(fs::read_symlink(folder / "copy" / "link"), "inner/a.txt");
    EXPECT_EQ(fs::read_symlink(folder / "copy" / "dangling"), "nowhere");
    EXPECT_TRUE(S_ISFIFO(statOf(folder / "copy" / "pipe").st_mode));
}

TEST_F(FileTreeMoveAcrossFileSystems, KeepsHolesOnEveryCopyPath) {
    constexpr off_t size = off_t{1} << 30;
    const std::string data(4096, 'd');
    // Data in the middle, data at the start only, and no data at all.
    const struct {
        off_t offset;
        std::string_view data;
    } layouts[] = {{size / 2, data}, {0, data}, {0, {}}};
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.offset);
        if (!writeSparse(disk / "image", size, layout.offset, layout.data))
            GTEST_SKIP() << "the file system writes holes out";
        // A copy on the disk, a move into memory, a copy there and a move back.
        std::error_code error;
        ASSERT_TRUE(FileTree::copy(disk / "image", disk / "copy", error)) << error.message();
        ASSERT_TRUE(FileTree::move(disk / "copy", memory / "moved", error)) << error.message();
        ASSERT_TRUE(FileTree::copy(memory / "moved", memory / "copy", error)) << error.message();
        ASSERT_TRUE(FileTree::move(memory / "copy", disk / "back", error)) << error.message();
        const std::string expected = layout.data.empty() ? std::string(data.size(), '\0') : data;
        for (const fs::path& file : {memory / "moved", disk / "back"}) {
            EXPECT_EQ(fs::file_size(file), static_cast<std::uintmax_t>(size)) << file;
            EXPECT_LE(statOf(file).st_blocks * 512, 1 << 20) << file;
            EXPECT_EQ(readAt(file, layout.offset, data.size()), expected) << file;
        }
        fs::remove(disk / "back");
        fs::remove(memory / "moved");
    }
}

TEST(FileTreeAttributes, KeptOnCopiesAndMovesWhereTheTargetTakesThem) {
    TemporaryFolder disk;
    fs::create_directories(disk / "tmpfs");
    fs::create_directories(disk / "ramfs");
    inPrivateMounts({{disk / "tmpfs", "tmpfs", "size=16m"}, {disk / "ramfs", "ramfs"}}, [&] {
        const std::string origin = "https://example.org/a.pdf";
        const std::string access = aclGivingUserRead(::geteuid(), 6, 4, 0);
        const std::string inherited = aclGivingUserRead(::geteuid(), 7, 5, 5);
        fs::create_directories(disk / "tree");
        writeText(disk / "tree" / "a.pdf", "pdf");
        ::chmod((disk / "tree" / "a.pdf").c_str(), 0640);
        if (!setAttribute(disk / "tree" / "a.pdf", "user.xdg.origin.url", origin) ||
            !setAttribute(disk / "tree" / "a.pdf", "system.posix_acl_access", access) ||
            !setAttribute(disk / "tree", "system.posix_acl_default", inherited)) {
            std::fputs("the test folder's file system takes no attributes\n", stderr);
            ::_exit(77);
        }
        const bool tmpfsTakesUser = takesAttribute(disk / "tmpfs", "user.probe", "1");
        const bool tmpfsTakesAcl = takesAttribute(disk / "tmpfs", "system.posix_acl_access", access);
        auto expectKept = [&](const fs::path& tree, bool user, bool acl) {
            SCOPED_TRACE(tree);
            EXPECT_EQ(readText(tree / "a.pdf"), "pdf");
            EXPECT_EQ(statOf(tree / "a.pdf").st_mode & 0777, 0640u);
            EXPECT_EQ(attribute(tree / "a.pdf", "user.xdg.origin.url"),
                      user ? std::optional(origin) : std::nullopt);
            EXPECT_EQ(attribute(tree / "a.pdf", "system.posix_acl_access"),
                      acl ? std::optional(access) : std::nullopt);
            EXPECT_EQ(attribute(tree, "system.posix_acl_default"),
                      acl ? std::optional(inherited) : std::nullopt);
        };
        std::error_code error;
        EXPECT_TRUE(FileTree::copy(disk / "tree", disk / "copy", error)) << error.message();
        expectKept(disk / "copy", true, true);
        EXPECT_TRUE(FileTree::move(disk / "tree", disk / "tmpfs" / "tree", error)) << error.message();
        expectKept(disk / "tmpfs" / "tree", tmpfsTakesUser, tmpfsTakesAcl);
        EXPECT_TRUE(FileTree::move(disk / "tmpfs" / "tree", disk / "tree", error)) << error.message();
        expectKept(disk / "tree", tmpfsTakesUser, tmpfsTakesAcl);
        // A file system that refuses every attribute still takes the move.
        EXPECT_TRUE(FileTree::move(disk / "copy", disk / "ramfs" / "copy", error)) << error.message();
        EXPECT_EQ(readText(disk / "ramfs" / "copy" / "a.pdf"), "pdf");
        EXPECT_FALSE(fs::exists(disk / "copy"));
    });
}

TEST(FileTreeCopy, MakesAFileUnderAHiddenNameWhereNoUnnamedFileCanBeLinked) {
    TemporaryFolder disk;
    fs::create_directories(disk / "tmpfs");
    fs::create_directories(disk / "ramfs");
    inPrivateMounts({{disk / "tmpfs", "tmpfs", "size=16m"}, {disk / "ramfs", "ramfs"}}, [&] {
        // Without /proc an unnamed file has no name to be linked by.
        if (::mount("ondravell-test", "/proc", "tmpfs", 0, "size=1m") != 0)
            ::_exit(77);
        writeText(disk / "a", "a");
        FileTree::Memory memory;
        FileTree::Options options;
        options.memory = &memory;
        for (const char* name : {"b", "c"}) {
            fs::path to = disk / name;
            std::error_code error;
            EXPECT_TRUE(FileTree::copy(disk / "a", to, error, options)) << error.message();
            EXPECT_EQ(readText(disk / name), "a");
        }
        // Learnt once, for the items after.
        EXPECT_EQ(memory.noUnnamedFiles, std::set<std::string>{disk.path.native()});
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(disk.path))
            names.insert(entry.path().filename());
        EXPECT_EQ(names, (std::set<std::string>{"a", "b", "c", "ramfs", "tmpfs"}));
    });
}

TEST(FileTreeCopy, NeverReplacesAnExistingItem) {
    TemporaryFolder folder;
    writeText(folder / "a", "new");
    writeText(folder / "b", "old");
    std::error_code error;
    EXPECT_FALSE(FileTree::copy(folder / "a", folder / "b", error));
    EXPECT_EQ(error, std::errc::file_exists);
    EXPECT_EQ(readText(folder / "b"), "old");
}

TEST(FileTreeCopy, RefusesToCopyAFolderIntoItsOwnSubtree) {
    TemporaryFolder folder;
    fs::create_directories(folder / "tree" / "deep" / "er");
    fs::create_symlink(folder / "tree" / "deep", folder / "shortcut");
    std::error_code error;
    EXPECT_FALSE(FileTree::copy(folder / "tree", folder / "tree" / "deep" / "er" / "copy", error));
    EXPECT_FALSE(FileTree::copy(folder / "tree", folder / "tree" / "copy", error));
    EXPECT_FALSE(FileTree::copy(folder / "tree", folder / "shortcut" / "copy", error));
    EXPECT_EQ(error, std::errc::too_many_symbolic_link_levels);
    EXPECT_FALSE(fs::exists(folder / "tree" / "copy"));
    EXPECT_FALSE(fs::exists(folder / "tree" / "deep" / "copy"));
}

TEST(FileTreeCopy, RemovesWhatItCreatedWhenItFailsHalfWay) {
    TemporaryFolder folder;
    fs::create_directories(folder / "tree" / "a" / "b");
    for (const char* name : {"1", "2", "3"})
        writeText(folder / "tree" / "a" / name, "small");
    writeText(folder / "tree" / "a" / "b" / "big", std::string(3 << 20, 'x'));
    std::error_code error;
    bool copied;
    {
        FileSizeLimit limit(1 << 20);
        copied = FileTree::copy(folder / "tree", folder / "copy", error);
    }
    EXPECT_FALSE(copied);
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_FALSE(fs::exists(folder / "copy"));
    EXPECT_EQ(fs::file_size(folder / "tree" / "a" / "b" / "big"), 3u << 20);
}

TEST(FileTreeMove, NeverReplacesAnExistingItem) {
    TemporaryFolder folder;
    writeText(folder / "a", "moving");
    writeText(folder / "b", "staying");
    std::error_code error;
    EXPECT_FALSE(FileTree::move(folder / "a", folder / "b", error));
    EXPECT_EQ(readText(folder / "a"), "moving");
    EXPECT_EQ(readText(folder / "b"), "staying");
}

TEST_F(FileTreeMoveAcrossFileSystems, CarriesAWholeTree) {
    fs::create_directories(memory / "tree" / "inner");
    writeText(memory / "tree" / "inner" / "a.txt", "alpha");
    fs::create_symlink("inner", memory / "tree" / "link");
    setModificationTime(memory / "tree" / "inner" / "a.txt", 1000000000);
    std::error_code error;
    ASSERT_TRUE(FileTree::move(memory / "tree", disk / "tree", error)) << error.message();
    EXPECT_FALSE(fs::exists(memory / "tree"));
    EXPECT_EQ(readText(disk / "tree" / "inner" / "a.txt"), "alpha");
    EXPECT_EQ(statOf(disk / "tree" / "inner" / "a.txt").st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(fs::read_symlink(disk / "tree" / "link"), "inner");
}

TEST_F(FileTreeMoveAcrossFileSystems, LeavesTheSourceWholeWhenItCannotBeRemoved) {
    fs::create_directories(disk / "tree" / "inner");
    for (const char* name : {"a", "b", "c"})
        writeText(disk / "tree" / "inner" / name, name);
    setModificationTime(disk / "tree" / "inner" / "a", 1000000000);
    ImmutableFile stuck(disk / "tree" / "inner" / "b");
    if (!stuck.applied())
        GTEST_SKIP() << "the file system or the process cannot mark files immutable";
    std::error_code error;
    EXPECT_FALSE(FileTree::move(disk / "tree", memory / "tree", error));
    EXPECT_EQ(error, std::errc::operation_not_permitted);
    EXPECT_FALSE(fs::exists(memory / "tree"));
    for (const char* name : {"a", "b", "c"})
        EXPECT_EQ(readText(disk / "tree" / "inner" / name), name);
    EXPECT_EQ(statOf(disk / "tree" / "inner" / "a").st_mtim.tv_sec, 1000000000);
}

TEST_F(FileTreeMoveAcrossFileSystems, NeverShowsAPartUnderTheFinalName) {
    writeText(memory / "big", std::string(3 << 20, 'x'));
    // Killed half-way: past 1 MiB the file-size limit's signal ends the moving or copying process.
    for (bool move : {true, false}) {
        SCOPED_TRACE(move ? "move" : "copy");
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{1 << 20, 1 << 20};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::error_code error;
            move ? FileTree::move(memory / "big", disk / "big", error)
                 : FileTree::copy(memory / "big", disk / "big", error);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
        EXPECT_FALSE(fs::exists(disk / "big"));
        EXPECT_EQ(fs::file_size(memory / "big"), 3u << 20);
        // A file is copied into an unnamed file, which goes with the process: nothing is left at all.
        EXPECT_TRUE(fs::is_empty(disk.path));
    }

    // The name taken while the copy was made: the copy goes away, the source stays.
    fs::remove_all(disk.path);
    fs::create_directory(disk.path);
    writeText(disk / "big", "taken");
    std::error_code error;
    EXPECT_FALSE(FileTree::move(memory / "big", disk / "big", error));
    EXPECT_EQ(readText(disk / "big"), "taken");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path), fs::directory_iterator()), 1);
    EXPECT_EQ(fs::file_size(memory / "big"), 3u << 20);
}

TEST(FileTreeMove, RefusesAFolderIntoItsOwnSubtree) {
    TemporaryFolder folder;
    fs::create_directories(folder / "tree" / "inner");
    std::error_code error;
    EXPECT_FALSE(FileTree::move(folder / "tree", folder / "tree" / "inner" / "tree", error));
    EXPECT_TRUE(fs::is_directory(folder / "tree" / "inner"));
}

TEST(FileTreeRemove, RemovesLinksButNotWhatTheyPointTo) {
    TemporaryFolder folder;
    writeText(folder / "outside", "keep me");
    fs::create_directories(folder / "tree" / "inner");
    fs::create_symlink(folder / "outside", folder / "tree" / "inner" / "link");
    fs::create_directory_symlink(folder.path, folder / "tree" / "up");
    std::error_code error;
    EXPECT_TRUE(FileTree::remove(folder / "tree", error));
    EXPECT_FALSE(fs::exists(folder / "tree"));
    EXPECT_EQ(readText(folder / "outside"), "keep me");
}

TEST(FileTreeInside, KnowsAFolderAndItsSubtreeButNotItsNeighbours) {
    TemporaryFolder folder;
    fs::create_directories(folder / "tree" / "inner");
    fs::create_directories(folder / "treehouse");
    EXPECT_TRUE(FileTree::isInside(folder / "tree", folder / "tree"));
    EXPECT_TRUE(FileTree::isInside(folder / "tree" / "inner", folder / "tree"));
    EXPECT_FALSE(FileTree::isInside(folder / "treehouse", folder / "tree"));
    EXPECT_FALSE(FileTree::isInside(folder.path, folder / "tree"));
}
