#include "core/FileOps/FileTree.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
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
    // Killed half-way: past 1 MiB the file-size limit's signal ends the moving process.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{1 << 20, 1 << 20};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::error_code error;
        FileTree::move(memory / "big", disk / "big", error);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    EXPECT_FALSE(fs::exists(disk / "big"));
    EXPECT_EQ(fs::file_size(memory / "big"), 3u << 20);
    for (const auto& entry : fs::directory_iterator(disk.path))
        EXPECT_EQ(entry.path().filename().native().rfind(".ondravell-moving-", 0), 0u) << entry.path();

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
