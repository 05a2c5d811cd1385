#include "core/FileOps/FileCreator.h"

#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;
namespace fs = std::filesystem;

namespace {

FileTemplate textTemplate(std::string ext, std::string content) {
    FileTemplate result;
    result.id = ext;
    result.displayNameKey = ext;
    result.fileExtension = std::move(ext);
    result.content = std::move(content);
    return result;
}

unsigned permissionsOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

} // namespace

TEST(FileCreatorUniqueName, CountsUpFromTwoPastTakenNames) {
    EXPECT_EQ(FileCreator::uniqueName("a", "txt", {"a.txt", "a 2.txt"}), "a 3.txt");
    EXPECT_EQ(FileCreator::uniqueName("未命名", "txt", {}), "未命名.txt");
    EXPECT_EQ(FileCreator::uniqueName("a", "txt", {"a.txt", "a 3.txt"}), "a 2.txt");
}

TEST(FileCreatorUniqueName, ComparesCaseSensitively) {
    EXPECT_EQ(FileCreator::uniqueName("a", "txt", {"A.txt"}), "a.txt");
}

TEST(FileCreatorUniqueName, TreatsCanonicallyEquivalentSpellingsAsTaken) {
    // "é" composed and decomposed.
    EXPECT_EQ(FileCreator::uniqueName("caf\u00e9", "", {"cafe\u0301"}), "caf\u00e9 2");
}

TEST(FileCreatorUniqueName, AddsNoPointWithoutAnExtension) {
    EXPECT_EQ(FileCreator::uniqueName("未命名文件夹", "", {"未命名文件夹"}), "未命名文件夹 2");
    EXPECT_EQ(FileCreator::uniqueName(".env", "", {".env"}), ".env 2");
}

TEST(FileCreatorUniqueName, NumbersTheStemOfDotfilesAndDoubleExtensions) {
    EXPECT_EQ(FileCreator::uniqueName("", "gitignore", {".gitignore"}), " 2.gitignore");
    EXPECT_EQ(FileCreator::uniqueName("a.tar", "gz", {"a.tar.gz"}), "a.tar 2.gz");
}

TEST(FileCreatorCreate, RendersTheStemIntoTheContents) {
    TemporaryFolder folder;
    std::error_code error;
    auto url =
        FileCreator::create(textTemplate("md", "# {name}\n"), folder.path, "未命名", "2024-01-02", error);
    ASSERT_TRUE(url) << error.message();
    EXPECT_EQ(*url, folder / "未命名.md");
    EXPECT_EQ(readText(*url), "# 未命名\n");
}

TEST(FileCreatorCreate, TakesTheNextFreeNameAndLeavesTheOldFileAlone) {
    TemporaryFolder folder;
    writeText(folder / "未命名.md", "mine");
    std::error_code error;
    auto url = FileCreator::create(textTemplate("md", "# {name} {date}"), folder.path, "未命名", "2024-01-02",
                                   error);
    ASSERT_TRUE(url);
    EXPECT_EQ(*url, folder / "未命名 2.md");
    EXPECT_EQ(readText(*url), "# 未命名 2 2024-01-02");
    EXPECT_EQ(readText(folder / "未命名.md"), "mine");
}

TEST(FileCreatorCreate, DoesNotExpandPlaceholdersThatComeFromTheName) {
    TemporaryFolder folder;
    std::error_code error;
    auto url =
        FileCreator::create(textTemplate("txt", "{name}|{date}"), folder.path, "{date}", "2024-01-02", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(readText(*url), "{date}|2024-01-02");
}

TEST(FileCreatorCreate, CountsHiddenEntriesAsTaken) {
    TemporaryFolder folder;
    writeText(folder / ".env", "");
    std::error_code error;
    auto url = FileCreator::create(textTemplate("env", ""), folder.path, "", "", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->filename(), " 2.env");
}

TEST(FileCreatorCreate, DecodesBinaryTemplatesAndWritesNothingForBadBase64) {
    TemporaryFolder folder;
    FileTemplate binary = textTemplate("bin", "AAEC/w==");
    binary.isBinaryBase64 = true;
    std::error_code error;
    auto url = FileCreator::create(binary, folder.path, "b", "", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(readText(*url), std::string("\x00\x01\x02\xff", 4));

    binary.content = "AAEC\n/w==";
    url = FileCreator::create(binary, folder.path, "b", "", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->filename(), "b 2.bin");
    EXPECT_EQ(fs::file_size(*url), 0u);
}

TEST(FileCreatorCreate, MakesExecutableTemplatesRunnable) {
    TemporaryFolder folder;
    FileTemplate script = textTemplate("sh", "#!/bin/bash\n");
    script.isExecutable = true;
    std::error_code error;
    auto url = FileCreator::create(script, folder.path, "s", "", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(permissionsOf(*url), 0755u);
    auto plain = FileCreator::create(textTemplate("txt", ""), folder.path, "t", "", error);
    ASSERT_TRUE(plain);
    EXPECT_EQ(permissionsOf(*plain) & 0111, 0u);
}

TEST(FileCreatorCreate, RefusesNamesThatLeaveTheFolder) {
    TemporaryFolder folder;
    fs::create_directory(folder / "inner");
    std::error_code error;
    for (const std::string& stem :
         std::vector<std::string>{"../escape", "a/b", ".", "..", std::string("a\0b", 3)}) {
        EXPECT_FALSE(FileCreator::create(textTemplate("", "x"), folder / "inner", stem, "", error)) << stem;
        EXPECT_EQ(error, std::errc::invalid_argument);
    }
    EXPECT_FALSE(FileCreator::create(textTemplate("/x", "x"), folder / "inner", "a", "", error));
    EXPECT_EQ(FileCreator::entryNames(folder.path), (std::set<std::string>{"inner"}));
    EXPECT_TRUE(FileCreator::entryNames(folder / "inner").empty());
}

TEST(FileCreatorCreate, RefusesAFolderPathHoldingANul) {
    TemporaryFolder folder;
    std::error_code error;
    fs::path cut = (folder / "made").native() + std::string(1, '\0') + "/inner";
    EXPECT_FALSE(FileCreator::create(textTemplate("txt", "x"), cut, "a", "", error));
    EXPECT_EQ(error, std::errc::invalid_argument);
    EXPECT_TRUE(FileCreator::entryNames(folder.path).empty());
}

TEST(FileCreatorCreate, FailsForAMissingFolder) {
    TemporaryFolder folder;
    std::error_code error;
    EXPECT_FALSE(FileCreator::create(textTemplate("txt", ""), folder / "missing", "a", "", error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

TEST(FileCreatorEntryNames, ListsEveryEntryOrNothing) {
    TemporaryFolder folder;
    writeText(folder / ".hidden", "");
    fs::create_directory(folder / "dir");
    EXPECT_EQ(FileCreator::entryNames(folder.path), (std::set<std::string>{".hidden", "dir"}));
    EXPECT_TRUE(FileCreator::entryNames(folder / "missing").empty());
}
