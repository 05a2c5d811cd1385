#include "core/SharedConfig/ODLocalized.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(ODLocalizedKey, ReturnsTheChineseKeyWhenThereIsNoTranslation) {
    EXPECT_EQ(ODLocalizedKey("复制路径"), "复制路径");
    EXPECT_EQ(ODLocalizedKey(""), "");
}

TEST(ODLocalized, FillsACountIntoItsPlaceholder) {
    EXPECT_EQ(ODLocalized("已复制 %lld 个路径", 3), "已复制 3 个路径");
    EXPECT_EQ(ODLocalized("已复制 %lld 个路径", std::int64_t{-9'000'000'000}), "已复制 -9000000000 个路径");
    EXPECT_EQ(ODLocalized("%lld", UINT64_MAX), "18446744073709551615");
}

TEST(ODLocalized, FillsTextsAndCountsInOrder) {
    std::string name = "a.txt";
    EXPECT_EQ(ODLocalized("已创建 %@，共 %lld 项", name, 2u), "已创建 a.txt，共 2 项");
    EXPECT_EQ(ODLocalized("%@ → %@", "甲", std::string_view("乙")), "甲 → 乙");
}

TEST(ODLocalized, HonoursPositionsThatATranslationReorders) {
    const LocalizedValue values[] = {LocalizedValue(5), LocalizedValue("b")};
    EXPECT_EQ(ODFormatLocalized("%2$@ has %1$lld", values), "b has 5");
}

TEST(ODLocalized, LeavesPlaceholdersWithoutValuesAndForeignPercentSignsAsTheyAre) {
    EXPECT_EQ(ODLocalized("已完成 100%"), "已完成 100%");
    EXPECT_EQ(ODLocalized("%lld / %lld", 1), "1 / %lld");
    EXPECT_EQ(ODLocalized("%d %s %5$@ %", 1), "%d %s %5$@ %");
    EXPECT_EQ(ODLocalized("%%lld %lld", 7), "%lld 7");
}

TEST(ODLocalized, NeverReadsAValueAsAFormat) {
    EXPECT_EQ(ODLocalized("%@", "%lld %@ %n"), "%lld %@ %n");
}
