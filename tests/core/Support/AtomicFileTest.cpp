#include "core/Support/AtomicFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {
struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "ondravell-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code error;
        fs::remove_all(path, error);
    }
};
} // namespace

TEST(AtomicFileWrite, ReplacesTheFileWholeAndLeavesNoTemporaryBehind) {
    TempFolder folder;
    fs::path target = folder.path / "settings.json";
    ASSERT_TRUE(writeFileAtomically(target, "first"));
    ASSERT_TRUE(writeFileAtomically(target, "second"));
    EXPECT_EQ(readRegularFile(target), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST(AtomicFileWrite, ReplacesTheFileWholeAlsoWithoutFlushingToDisk) {
    TempFolder folder;
    fs::path target = folder.path / "history.json";
    ASSERT_TRUE(writeFileAtomically(target, "first", false));
    ASSERT_TRUE(writeFileAtomically(target, "second", false));
    EXPECT_EQ(readRegularFile(target), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST(AtomicFileWrite, GivesTheFileTheUsualPermissions) {
    TempFolder folder;
    fs::path target = folder.path / "a";
    mode_t old = ::umask(027);
    bool written = writeFileAtomically(target, "x");
    ::umask(old);
    ASSERT_TRUE(written);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicFileWrite, FailsWhenTheFolderIsMissing) {
    TempFolder folder;
    EXPECT_FALSE(writeFileAtomically(folder.path / "missing" / "a", "x"));
}

TEST(ReadRegularFile, ReadsAtMostOneByteBeyondTheLimit) {
    TempFolder folder;
    fs::path target = folder.path / "big";
    ASSERT_TRUE(writeFileAtomically(target, std::string(100, 'x')));
    EXPECT_EQ(readRegularFile(target, 10)->size(), 11u);
    EXPECT_EQ(readRegularFile(target, 100)->size(), 100u);
}

TEST(ReadRegularFile, RefusesFifosFoldersAndDevicesWithoutBlocking) {
    TempFolder folder;
    fs::path fifo = folder.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readRegularFile(fifo));
    EXPECT_FALSE(readRegularFile(folder.path));
    EXPECT_FALSE(readRegularFile("/dev/zero", 16));
    EXPECT_FALSE(readRegularFile(folder.path / "missing"));
}

TEST(AtomicFileWriteNew, CreatesTheFileWithItsBytes) {
    TempFolder folder;
    EXPECT_FALSE(writeNewFile(folder.path / "a", "bytes"));
    EXPECT_EQ(readRegularFile(folder.path / "a"), "bytes");
}

TEST(AtomicFileWriteNew, NeverReplacesAFileOrFollowsALink) {
    TempFolder folder;
    ASSERT_TRUE(writeFileAtomically(folder.path / "a", "old"));
    EXPECT_EQ(writeNewFile(folder.path / "a", "new"), std::errc::file_exists);
    EXPECT_EQ(readRegularFile(folder.path / "a"), "old");
    fs::create_symlink(folder.path / "target", folder.path / "link");
    EXPECT_EQ(writeNewFile(folder.path / "link", "x"), std::errc::file_exists);
    EXPECT_FALSE(fs::exists(folder.path / "target"));
}
