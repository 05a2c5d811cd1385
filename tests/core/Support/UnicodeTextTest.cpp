#include "core/Support/UnicodeText.h"

#include <gtest/gtest.h>
#include <string>

using namespace ondravell;

TEST(UnicodeTextTrim, RemovesEveryKindOfSpaceAndLineBreakAtBothEnds) {
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines("\u00a0\u3000 a b\u0085\u2028\r\n\t"), "a b");
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines(" \n "), "");
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines("中文"), "中文");
    // Invalid bytes stop the trim instead of being swallowed.
    EXPECT_EQ(UnicodeText::trimmingWhitespaceAndNewlines(" \xff "), "\xff");
}

TEST(UnicodeTextTrim, RemovesOnlyTheChosenCodePoints) {
    EXPECT_EQ(UnicodeText::trimming("xxaxbxx", [](char32_t c) { return c == U'x'; }), "axb");
    EXPECT_EQ(UnicodeText::trimming("\u4e2d\u4e2d", [](char32_t c) { return c == U'\u4e2d'; }), "");
    EXPECT_EQ(UnicodeText::trimming("x\xffx", [](char32_t c) { return c == U'x'; }), "\xff");
}

TEST(UnicodeTextCase, UsesFullCaseMappingIndependentOfLocale) {
    EXPECT_EQ(UnicodeText::uppercased("straße"), "STRASSE");
    EXPECT_EQ(UnicodeText::lowercased("ÀÉÎ İ"), "àéî i̇");
    EXPECT_EQ(UnicodeText::lowercased("ABC中文"), "abc中文");
}

TEST(UnicodeTextGraphemes, CountsWhatAReaderSeesAsOneCharacter) {
    EXPECT_EQ(UnicodeText::graphemeCount(""), 0u);
    EXPECT_EQ(UnicodeText::graphemeCount("e\u0301"), 1u);
    EXPECT_EQ(UnicodeText::graphemeCount("👨‍👩‍👧"), 1u);
    EXPECT_EQ(UnicodeText::graphemeCount("\r\n"), 1u);
    EXPECT_EQ(UnicodeText::graphemeCount("中文ab"), 4u);
}

TEST(UnicodeTextGraphemes, TellsALongTextFromItsLimitByCharactersNotBytes) {
    EXPECT_FALSE(UnicodeText::hasMoreGraphemesThan("中文ab", 4));
    EXPECT_TRUE(UnicodeText::hasMoreGraphemesThan("中文abc", 4));
    EXPECT_FALSE(UnicodeText::hasMoreGraphemesThan("e\u0301e\u0301", 2));
    EXPECT_TRUE(UnicodeText::hasMoreGraphemesThan(std::string(50 << 20, 'x'), 20000));
}

TEST(UnicodeTextValidity, SpotsMalformedUTF8) {
    EXPECT_TRUE(UnicodeText::isValidUTF8("中文"));
    EXPECT_FALSE(UnicodeText::isValidUTF8("\xc3"));
    EXPECT_FALSE(UnicodeText::isValidUTF8("\xed\xa0\x80"));
}
