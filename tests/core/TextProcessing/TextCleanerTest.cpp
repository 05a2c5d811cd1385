#include "core/TextProcessing/TextCleaner.h"

#include <gtest/gtest.h>

using ondravell::TextCleaner;

TEST(TextCleanerSpaces, TrimsEndsAndShrinksRunsOfSpacesAndTabs) {
    EXPECT_EQ(TextCleaner::trimSpaces("  a   b\t"), "a b");
    EXPECT_EQ(TextCleaner::trimSpaces("a\tb"), "a\tb");
    EXPECT_EQ(TextCleaner::trimSpaces("a \t b\n\nc"), "a b\n\nc");
    EXPECT_EQ(TextCleaner::trimSpaces("\n \u3000"), "");
}

TEST(TextCleanerLineBreaks, JoinsLinesWithOneSpace) {
    EXPECT_EQ(TextCleaner::removeLineBreaks("first line  \r\n  second line"), "first line second line");
    EXPECT_EQ(TextCleaner::removeLineBreaks("a\n\n\nb\n"), "a b");
    EXPECT_EQ(TextCleaner::removeLineBreaks("a\rb"), "a\rb");
}

TEST(TextCleanerBlankLines, ShrinksThreeOrMoreLineFeedsToTwo) {
    EXPECT_EQ(TextCleaner::mergeBlankLines("a\n\nb"), "a\n\nb");
    EXPECT_EQ(TextCleaner::mergeBlankLines("a\n\n\n\n\nb\n\n\nc"), "a\n\nb\n\nc");
    EXPECT_EQ(TextCleaner::mergeBlankLines("a\n \n\nb"), "a\n \n\nb");
}

TEST(TextCleanerPangu, SpacesCJKFromASCIILettersAndDigits) {
    EXPECT_EQ(TextCleaner::addPanguSpacing("\u4f7f\u7528macOS\u7cfb\u7edf"),
              "\u4f7f\u7528 macOS \u7cfb\u7edf");
    EXPECT_EQ(TextCleaner::addPanguSpacing("\u7b2c3\u7ae0"), "\u7b2c 3 \u7ae0");
    EXPECT_EQ(TextCleaner::addPanguSpacing("\u3053\u308cAPI\ud55c\uae00"), "\u3053\u308c API \ud55c\uae00");
    EXPECT_EQ(TextCleaner::addPanguSpacing("\u4e2d a\u6587"), "\u4e2d a \u6587");
    EXPECT_EQ(TextCleaner::addPanguSpacing("\u4e2d\uff21\u3001x"), "\u4e2d\uff21\u3001x");
}

TEST(TextCleanerChineseScripts, ConvertsBetweenSimplifiedAndTraditional) {
    EXPECT_EQ(TextCleaner::toTraditional("\u7b80\u4f53\u4e2d\u6587\u53d1\u5c55"),
              "\u7c21\u9ad4\u4e2d\u6587\u767c\u5c55");
    EXPECT_EQ(TextCleaner::toSimplified("\u7c21\u9ad4\u4e2d\u6587\u767c\u5c55"),
              "\u7b80\u4f53\u4e2d\u6587\u53d1\u5c55");
    EXPECT_EQ(TextCleaner::toSimplified("plain text 123"), "plain text 123");
}
