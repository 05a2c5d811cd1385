#include "Extensions/FinderSync/SharedFileCache.h"

#include "tests/core/SharedConfig/TempContainer.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

namespace ondravell::test {
namespace {

class SharedFiles : public ::testing::Test {
protected:
    TempContainer container;
    std::filesystem::path settingsFile = container.root / "settings.v1.json";
    std::filesystem::path templatesFile = container.root / "custom-templates.json";
    SharedFileCache cache{settingsFile, templatesFile};

    static void write(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static timespec modified(const std::filesystem::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mtim;
    }
    static void setModified(const std::filesystem::path& path, timespec when) {
        timespec times[2] = {when, when};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    static std::string templatesJSON(std::size_t contentBytes) {
        return nlohmann::json::array({{{"id", "big"},
                                       {"displayNameKey", "Big"},
                                       {"fileExtension", "txt"},
                                       {"content", std::string(contentBytes, 'a')}}})
            .dump();
    }
};

TEST_F(SharedFiles, FileIsParsedAgainOnlyWhenItsIdentityChanged) {
    write(settingsFile, R"({"maxCopyFileSizeMB": 11})");
    EXPECT_EQ(cache.settings().maxCopyFileSizeMB, 11);
    timespec first = modified(settingsFile);

    // Same inode, size and time: the parsed record stands, though the bytes differ.
    write(settingsFile, R"({"maxCopyFileSizeMB": 22})");
    setModified(settingsFile, first);
    EXPECT_EQ(cache.settings().maxCopyFileSizeMB, 11);

    setModified(settingsFile, timespec{first.tv_sec + 1, first.tv_nsec});
    EXPECT_EQ(cache.settings().maxCopyFileSizeMB, 22);

    // An atomic save puts a new inode under the name, whatever its size and time.
    std::filesystem::path replacement = container.root / "settings.new";
    write(replacement, R"({"maxCopyFileSizeMB": 33})");
    setModified(replacement, timespec{first.tv_sec + 1, first.tv_nsec});
    std::filesystem::rename(replacement, settingsFile);
    EXPECT_EQ(cache.settings().maxCopyFileSizeMB, 33);

    std::filesystem::remove(settingsFile);
    EXPECT_EQ(cache.settings(), OndravellSettings::defaultSettings());
}

TEST_F(SharedFiles, TemplatesFileOverEightMebibytesIsUndecodable) {
    write(templatesFile, templatesJSON(1024));
    ASSERT_EQ(cache.customTemplates().size(), 1u);
    write(templatesFile, templatesJSON(SharedFileCache::maxTemplatesFileBytes));
    EXPECT_TRUE(cache.customTemplates().empty());
}

} // namespace
} // namespace ondravell::test
