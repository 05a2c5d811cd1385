#pragma once

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace ondravell::testing {

// A fresh folder for one test, removed with everything in it afterwards. `base` lets a test choose the
// file system (tmpfs or disk).
struct TemporaryFolder {
    std::filesystem::path path;

    explicit TemporaryFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "ondravell-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code error;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::filesystem::path operator/(std::string_view name) const { return path / name; }
};

// A folder in memory (tmpfs at /dev/shm) and one on the disk, for moves between two file systems.
// Tests of this fixture are skipped where the two are one file system.
class AcrossFileSystems : public ::testing::Test {
protected:
    void SetUp() override {
        struct stat first {
        }, second{};
        if (memory.path.empty() || ::stat(memory.path.c_str(), &first) != 0 ||
            ::stat(disk.path.c_str(), &second) != 0 || first.st_dev == second.st_dev)
            GTEST_SKIP() << "needs a second file system at /dev/shm";
    }

    TemporaryFolder memory{"/dev/shm"};
    TemporaryFolder disk;
};

inline void writeText(const std::filesystem::path& file, std::string_view text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace ondravell::testing
