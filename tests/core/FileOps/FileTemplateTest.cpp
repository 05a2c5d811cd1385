#include "core/FileOps/FileTemplate.h"

#include <gtest/gtest.h>

using namespace ondravell;

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
