#include "core/Support/Numbers.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace ondravell;

TEST(NumbersText, ParsesWholeTextOnly) {
    EXPECT_EQ(Numbers::parseInt64("-42"), -42);
    EXPECT_FALSE(Numbers::parseInt64("42a"));
    EXPECT_FALSE(Numbers::parseInt64(""));
    EXPECT_FALSE(Numbers::parseInt64("99999999999999999999"));
    EXPECT_EQ(Numbers::parseDouble("0.5"), 0.5);
    EXPECT_FALSE(Numbers::parseDouble("0,5"));
}

TEST(NumbersText, IgnoresADecimalCommaLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_EQ(Numbers::format(0.1), "0.1");
    EXPECT_EQ(Numbers::parseDouble("2.5"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumbersText, FormatsShortestRoundTrip) {
    EXPECT_EQ(Numbers::format(std::int64_t{-7}), "-7");
    EXPECT_EQ(Numbers::format(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(Numbers::format(1e22), "1e+22");
}
