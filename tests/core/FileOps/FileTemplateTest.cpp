#include "core/FileOps/FileTemplate.h"

#include "core/FileOps/FileCreator.h"
#include "core/FileOps/OfficePackages.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;

TEST(FileTemplateJSON, FillsDefaultsForOptionalKeys) {
    auto decoded = FileTemplate::fromJSON(
        nlohmann::json{{"id", "x"}, {"displayNameKey", "X"}, {"fileExtension", "x"}, {"content", ""}});
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->isExecutable);
    EXPECT_FALSE(decoded->isBinaryBase64);
    EXPECT_EQ(decoded->iconSymbol, "doc");
    EXPECT_EQ(decoded->customIconFilename, std::nullopt);
}

TEST(FileTemplateJSON, FailsWithoutContentOrWithAWrongType) {
    EXPECT_FALSE(
        FileTemplate::fromJSON(nlohmann::json{{"id", "x"}, {"displayNameKey", "X"}, {"fileExtension", "x"}}));
    EXPECT_FALSE(FileTemplate::fromJSON(nlohmann::json{
        {"id", "x"}, {"displayNameKey", "X"}, {"fileExtension", "x"}, {"content", ""}, {"isExecutable", 1}}));
    EXPECT_FALSE(FileTemplate::fromJSON(nlohmann::json::array()));
}

TEST(FileTemplateJSON, RoundTripsAndLeavesOutAnAbsentIcon) {
    FileTemplate original{"id", "名字", "ext", "{name}", true, "terminal", false, std::nullopt};
    nlohmann::json encoded = original.toJSON();
    EXPECT_FALSE(encoded.contains("customIconFilename"));
    EXPECT_EQ(encoded.size(), 7u);
    EXPECT_EQ(FileTemplate::fromJSON(encoded), original);
    original.customIconFilename = "A.png";
    EXPECT_EQ(FileTemplate::fromJSON(original.toJSON()), original);
}

TEST(FileTemplateRender, ReplacesNameAndDateInOnePass) {
    FileTemplate fileTemplate{"t", "t", "t", "{name} {date} {name}", false, "doc", false, std::nullopt};
    EXPECT_EQ(fileTemplate.render("a", "2024-01-02"), "a 2024-01-02 a");
    EXPECT_EQ(fileTemplate.render("{date}", "d"), "{date} d {date}");
}

TEST(FileTemplateDefaultFileName, AddsTheExtensionOnlyWhenThereIsOne) {
    FileTemplate fileTemplate{"t", "t", "", "", false, "doc", false, std::nullopt};
    EXPECT_EQ(fileTemplate.defaultFileName("base"), "base");
    fileTemplate.fileExtension = "md";
    EXPECT_EQ(fileTemplate.defaultFileName("base"), "base.md");
}

TEST(FileTemplateBuiltins, ListsNineteenTemplatesNamedByTheirExtension) {
    const auto& builtins = FileTemplate::builtins();
    ASSERT_EQ(builtins.size(), 19u);
    std::set<std::string> ids;
    for (const FileTemplate& builtin : builtins) {
        EXPECT_EQ(builtin.id, builtin.fileExtension);
        EXPECT_TRUE(ids.insert(builtin.id).second) << builtin.id;
        EXPECT_EQ(builtin.customIconFilename, std::nullopt);
        EXPECT_EQ(builtin.isBinaryBase64,
                  builtin.id == "docx" || builtin.id == "xlsx" || builtin.id == "pptx");
        EXPECT_EQ(builtin.isExecutable, builtin.id == "py" || builtin.id == "sh");
    }
    EXPECT_EQ(builtins.front().id, "txt");
    EXPECT_EQ(builtins.back().id, "pptx");
}

TEST(FileTemplateBuiltins, CarryTheExactTextContents) {
    std::map<std::string, std::string> contents;
    for (const FileTemplate& builtin : FileTemplate::builtins())
        contents[builtin.id] = builtin.content;
    EXPECT_EQ(contents["rtf"].size(), 13u);
    EXPECT_EQ(contents["json"], "{\n  \n}\n");
    EXPECT_EQ(contents["xml"].size(), 39u);
    EXPECT_EQ(contents["html"].size(), 110u);
    EXPECT_NE(contents["html"].find("<title>{name}</title>"), std::string::npos);
}

TEST(FileTemplateBuiltins, OfficeTemplatesCreateTheirPackagesByteForByte) {
    TemporaryFolder folder;
    const FileTemplate& word = FileTemplate::builtins()[16];
    ASSERT_EQ(word.id, "docx");
    std::error_code error;
    auto url = FileCreator::create(word, folder.path, "未命名", "2024-01-02", error);
    ASSERT_TRUE(url);
    EXPECT_EQ(readText(*url), OfficePackages::docx());
}
