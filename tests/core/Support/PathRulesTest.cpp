#include "core/Support/PathRules.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(PathRulesComponents, LastComponentIgnoresTrailingSlashes) {
    EXPECT_EQ(PathRules::lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(PathRules::lastPathComponent("/a/b"), "b");
    EXPECT_EQ(PathRules::lastPathComponent("/"), "/");
    EXPECT_EQ(PathRules::lastPathComponent("name"), "name");
    EXPECT_EQ(PathRules::lastPathComponent(""), "");
}

TEST(PathRulesComponents, ExtensionFollowsTheLastDotOfTheName) {
    EXPECT_EQ(PathRules::pathExtension("/x/a.tar.gz"), "gz");
    EXPECT_EQ(PathRules::pathExtension("/x/.bashrc"), "");
    EXPECT_EQ(PathRules::pathExtension("a."), "");
    EXPECT_EQ(PathRules::pathExtension("/x.d/file"), "");
    EXPECT_EQ(PathRules::pathExtension("/x/中文.TXT/"), "TXT");
}

TEST(PathRulesComponents, NameWithoutExtensionKeepsDotfilesWhole) {
    EXPECT_EQ(PathRules::nameWithoutExtension("/x/a.tar.gz"), "a.tar");
    EXPECT_EQ(PathRules::nameWithoutExtension("/x/.bashrc"), ".bashrc");
    EXPECT_EQ(PathRules::nameWithoutExtension("/x/a."), "a.");
    EXPECT_EQ(PathRules::deletingPathExtension("/x.d/a.txt"), "/x.d/a");
    EXPECT_EQ(PathRules::deletingPathExtension("/x.d/file"), "/x.d/file");
}

TEST(PathRulesComponents, ParentAndJoin) {
    EXPECT_EQ(PathRules::deletingLastPathComponent("/a/b"), "/a");
    EXPECT_EQ(PathRules::deletingLastPathComponent("/a"), "/");
    EXPECT_EQ(PathRules::deletingLastPathComponent("/"), "/");
    EXPECT_EQ(PathRules::deletingLastPathComponent("a"), "");
    EXPECT_EQ(PathRules::appendingPathComponent("/", "a"), "/a");
    EXPECT_EQ(PathRules::appendingPathComponent("/x/", "a"), "/x/a");
}

TEST(PathRulesStandardized, ResolvesDotsAndRepeatedSlashesLexically) {
    EXPECT_EQ(PathRules::standardized("//"), "/");
    EXPECT_EQ(PathRules::standardized("/Library/"), "/Library");
    EXPECT_EQ(PathRules::standardized("/usr/../usr"), "/usr");
    EXPECT_EQ(PathRules::standardized("/Users/alice/.."), "/Users");
    EXPECT_EQ(PathRules::standardized("/../.."), "/");
    EXPECT_EQ(PathRules::standardized("/a/./b//c/"), "/a/b/c");
    EXPECT_EQ(PathRules::standardized("a/../../b"), "../b");
}
