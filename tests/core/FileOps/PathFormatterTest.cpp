#include "core/FileOps/PathFormatter.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(PathFormatterRelative, ClimbsOutOfTheBaseAndDescendsIntoTheTarget) {
    EXPECT_EQ(PathFormatter::relativePath("/a/b/c.txt", "/a/d"), "../b/c.txt");
    EXPECT_EQ(PathFormatter::relativePath("/a/b", "/a/b"), ".");
    EXPECT_EQ(PathFormatter::relativePath("/a", "/a/b/c"), "../..");
    EXPECT_EQ(PathFormatter::relativePath("/a/b/c", "/a"), "b/c");
}

TEST(PathFormatterRelative, StandardisesBothSidesFirst) {
    EXPECT_EQ(PathFormatter::relativePath("/a//b/./c.txt", "/a/x/../d/"), "../b/c.txt");
    EXPECT_EQ(PathFormatter::format("/a/b/c", PathFormat::relative, std::filesystem::path("/a/")), "b/c");
}

TEST(PathFormatterRelative, ComparesComponentsCaseSensitively) {
    EXPECT_EQ(PathFormatter::relativePath("/A/b", "/a"), "../A/b");
}

TEST(PathFormatterRelative, GivesThePathWithoutABase) {
    EXPECT_EQ(PathFormatter::format("/a/b", PathFormat::relative), "/a/b");
}

TEST(PathFormatterFormats, ProduceEachOfTheSevenForms) {
    const std::filesystem::path url = "/Users/x/./docs//a.tar.gz";
    EXPECT_EQ(PathFormatter::format(url, PathFormat::posix), "/Users/x/docs/a.tar.gz");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::relative, std::filesystem::path("/Users/x")),
              "docs/a.tar.gz");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::fileURL), "file:///Users/x/docs/a.tar.gz");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::quoted), "'/Users/x/docs/a.tar.gz'");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::name), "a.tar.gz");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::nameWithoutExtension), "a.tar");
    EXPECT_EQ(PathFormatter::format(url, PathFormat::parentDirectory), "/Users/x/docs");
}

TEST(PathFormatterFormats, QuotesSingleQuotesForTheShell) {
    EXPECT_EQ(PathFormatter::format("/tmp/it's", PathFormat::quoted), "'/tmp/it'\\''s'");
}

TEST(PathFormatterFormats, PercentEncodesFileURLs) {
    EXPECT_EQ(PathFormatter::format("/tmp/a b#c/中", PathFormat::fileURL), "file:///tmp/a%20b%23c/%E4%B8%AD");
    EXPECT_EQ(PathFormatter::format("/x/100%?;[]", PathFormat::fileURL), "file:///x/100%25%3F%3B%5B%5D");
    EXPECT_EQ(PathFormatter::format("/", PathFormat::fileURL), "file:///");
}

TEST(PathFormatterFormats, EndsAFoldersURLWithASlash) {
    EXPECT_EQ(PathFormatter::format("/a/./My Folder//", PathFormat::fileURL), "file:///a/My%20Folder/");
    EXPECT_EQ(PathFormatter::render("/a/b/", "{url} {path} {name}"), "file:///a/b/ /a/b b");
    EXPECT_EQ(PathFormatter::format("//", PathFormat::fileURL), "file:///");
}

TEST(PathFormatterFormats, KeepsAFolderNameWholeExceptItsLastExtension) {
    EXPECT_EQ(PathFormatter::format("/p/Photos.library/", PathFormat::nameWithoutExtension), "Photos");
    EXPECT_EQ(PathFormatter::format("/p/.bashrc", PathFormat::nameWithoutExtension), ".bashrc");
}

TEST(PathFormatterFormats, JoinsSeveralItemsWithOneLineFeed) {
    EXPECT_EQ(PathFormatter::formatMultiple({"/a/x.txt", "/b/y"}, PathFormat::name), "x.txt\ny");
    EXPECT_EQ(PathFormatter::formatMultiple({}, PathFormat::name), "");
}

TEST(PathFormatterRender, ReplacesEveryPlaceholder) {
    EXPECT_EQ(PathFormatter::render("/Users/x/a.tar.gz", "{name_noext}-{ext}"), "a.tar-gz");
    EXPECT_EQ(PathFormatter::render("/Users/x/a b.txt", "[{name}] {parent} {path} {url} {name}"),
              "[a b.txt] /Users/x /Users/x/a b.txt file:///Users/x/a%20b.txt a b.txt");
    EXPECT_EQ(PathFormatter::render("/x/noext", "<{ext}>"), "<>");
}

TEST(PathFormatterRender, NeverExpandsPlaceholdersThatComeFromTheFileName) {
    EXPECT_EQ(PathFormatter::render("/x/{url}", "{name}"), "{url}");
    EXPECT_EQ(PathFormatter::render("/x/{path}.{ext}", "{name_noext}|{ext}"), "{path}|{ext}");
    EXPECT_EQ(PathFormatter::render("/{name}/a", "{parent}"), "/{name}");
}

TEST(PathFormatterRender, KeepsUnknownPlaceholdersAndPlainTemplates) {
    EXPECT_EQ(PathFormatter::render("/x/a", "{Name} {size}"), "{Name} {size}");
    EXPECT_EQ(PathFormatter::renderMultiple({"/a", "/b", "/c"}, "same"), "same\nsame\nsame");
}

TEST(PathFormatNames, RoundTripThroughTheirRawValuesInMenuOrder) {
    std::vector<std::string> raw;
    for (PathFormat format : allPathFormats) {
        raw.emplace_back(rawValue(format));
        EXPECT_EQ(pathFormatFromRawValue(rawValue(format)), format);
    }
    EXPECT_EQ(raw, (std::vector<std::string>{"posix", "relative", "fileURL", "quoted", "name",
                                             "nameWithoutExtension", "parentDirectory"}));
    EXPECT_EQ(pathFormatFromRawValue("POSIX"), std::nullopt);
    EXPECT_EQ(labelKey(PathFormat::nameWithoutExtension), "文件名（无扩展名）");
    EXPECT_EQ(localizedLabel(PathFormat::posix), "POSIX 路径");
}
