#include "core/FileOps/FileMetadata.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace ondravell;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

TEST(FileMetadataRead, FillsNameSizeAndDatesOfAFile) {
    TemporaryFolder folder;
    writeText(folder / "a.txt", "hello");
    const auto before = std::chrono::system_clock::now() - std::chrono::seconds(5);
    FileMetadata metadata = FileMetadata::read(folder / "a.txt");
    EXPECT_EQ(metadata.name, "a.txt");
    EXPECT_FALSE(metadata.isDirectory);
    EXPECT_EQ(metadata.sizeBytes, 5);
    ASSERT_TRUE(metadata.modified);
    EXPECT_GT(*metadata.modified, before);
    if (metadata.created) {
        EXPECT_GT(*metadata.created, before);
    }
    EXPECT_FALSE(metadata.typeIdentifier);
    EXPECT_FALSE(metadata.pixelWidth);
}

TEST(FileMetadataRead, GivesAFolderNoSize) {
    TemporaryFolder folder;
    fs::create_directory(folder / "dir");
    FileMetadata metadata = FileMetadata::read(folder / "dir/");
    EXPECT_EQ(metadata.name, "dir");
    EXPECT_TRUE(metadata.isDirectory);
    EXPECT_FALSE(metadata.sizeBytes);
}

TEST(FileMetadataRead, KeepsOnlyTheNameOfAMissingItem) {
    TemporaryFolder folder;
    FileMetadata expected;
    expected.name = "gone";
    EXPECT_EQ(FileMetadata::read(folder / "gone"), expected);
}
