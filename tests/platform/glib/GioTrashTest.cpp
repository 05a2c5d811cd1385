// Undo of a copy through the desktop's trash, in a home folder and trash made for the test.
#include "platform/glib/GioTrash.h"

#include "core/FileOps/FileOperator.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace ondravell::platform {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(GioTrash, UndoOfACopyPutsItIntoTheHomeTrashWithWhereItCameFrom) {
    std::string pattern = (fs::temp_directory_path() / "ondravell-trash-XXXXXX").string();
    const fs::path home = ::mkdtemp(pattern.data());
    // GLib reads both once, at its first look: this test must come before any other use of them.
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    fs::create_directories(home / "work" / "tree");
    std::ofstream(home / "work" / "copy.txt") << "edited since";
    std::ofstream(home / "work" / "tree" / "added.txt") << "added since";

    GioTrash trash;
    const FileOperation copy{"id",
                             FileOperation::Kind::copy,
                             std::chrono::system_clock::now(),
                             {{"/elsewhere/copy.txt", (home / "work" / "copy.txt").native()},
                              {"/elsewhere/tree", (home / "work" / "tree").native()}},
                             false};
    EXPECT_EQ(FileOperator::undo(copy, trash), UndoResult::undone);
    EXPECT_TRUE(fs::is_empty(home / "work"));
    const fs::path can = home / "data" / "Trash";
    EXPECT_EQ(readText(can / "files" / "copy.txt"), "edited since");
    EXPECT_EQ(readText(can / "files" / "tree" / "added.txt"), "added since");
    const std::string info = readText(can / "info" / "copy.txt.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\n", 0), 0u) << info;
    EXPECT_NE(info.find("\nPath=" + (home / "work" / "copy.txt").native() + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos) << info;

    EXPECT_EQ(trash.moveToTrash(home / "work" / "missing"), Trash::Result::failed);
    // A tmpfs (a system mount, where /tmp often lives) has no trash.
    if (std::ofstream("/dev/shm/ondravell-trash-test") << "x") {
        EXPECT_EQ(trash.moveToTrash("/dev/shm/ondravell-trash-test"), Trash::Result::unsupported);
    }
    fs::remove("/dev/shm/ondravell-trash-test");
    fs::remove_all(home);
}

} // namespace
} // namespace ondravell::platform
