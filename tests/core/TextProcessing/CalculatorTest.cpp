#include "core/TextProcessing/Calculator.h"

#include <gtest/gtest.h>
#include <string>

using ondravell::Calculator;

namespace {

std::string formatted(const std::string& text) {
    return Calculator::evaluateFormatted(text).value_or("<none>");
}

} // namespace

TEST(CalculatorPrecedence, BindsLikeArithmeticWithSignsTighterThanPower) {
    EXPECT_EQ(Calculator::evaluate("1 + 2 * 3"), 7);
    EXPECT_EQ(Calculator::evaluate("(1 + 2) * 3"), 9);
    EXPECT_EQ(Calculator::evaluate("10 - 4 - 3"), 3);
    EXPECT_EQ(Calculator::evaluate("100 / 10 / 5"), 2);
    EXPECT_EQ(Calculator::evaluate("2 ^ 3 ^ 2"), 512);
    EXPECT_EQ(Calculator::evaluate("-2^2"), 4);
    EXPECT_EQ(Calculator::evaluate("2^-1"), 0.5);
    EXPECT_EQ(Calculator::evaluate("+5"), 5);
    EXPECT_EQ(Calculator::evaluate("-(3)"), -3);
    EXPECT_EQ(Calculator::evaluate("--3"), 3);
}

TEST(CalculatorRemainder, KeepsTheSignOfTheLeftOperand) {
    EXPECT_EQ(Calculator::evaluate("7 % 3"), 1);
    EXPECT_EQ(Calculator::evaluate("-7 % 3"), -1);
    EXPECT_EQ(Calculator::evaluate("7.5 % 2"), 1.5);
}

TEST(CalculatorFailures, GivesNothingForUndefinedOrMalformedInput) {
    for (const char* text :
         {"5 % 0",    "5 / 0",    "1/0",      "1/(2-2)",  "1/-0", "",       "   ",  "()",
          "3+",       "*2",       "1..2",     ".",        "12\t", "2(3)",   "2 3",  "1e5",
          "3!",       "(1+2",     "inf",      "nan",      "0x10", "10^400", "0^-1", "(-8)^(1/3)",
          "2\u00d73", "6\u00f72", "\u00bd+1", "\u0661+1", "1\n+2"}) {
        EXPECT_EQ(Calculator::evaluate(text), std::nullopt) << text;
        EXPECT_EQ(Calculator::evaluateFormatted(text), std::nullopt) << text;
    }
}

TEST(CalculatorNumbers, AcceptsPointsAtEitherEndAndSurroundingSpaces) {
    EXPECT_EQ(Calculator::evaluate("3."), 3);
    EXPECT_EQ(Calculator::evaluate(".5"), 0.5);
    EXPECT_EQ(Calculator::evaluate("  12  "), 12);
}

TEST(CalculatorNumbers, ReadsDigitRunsBeyondDoubleRange) {
    EXPECT_EQ(Calculator::evaluate(std::string(400, '9')), std::nullopt);
    EXPECT_EQ(Calculator::evaluate("0." + std::string(400, '0') + "1"), 0);
}

TEST(CalculatorOperators, ComparesWholeCharactersSoCombiningMarksBreakThem) {
    EXPECT_EQ(Calculator::evaluate("1 +\u0301 2"), std::nullopt);
    EXPECT_EQ(Calculator::evaluate("1\u0301 + 2"), std::nullopt);
}

TEST(CalculatorFormatting, WritesIntegersPlainAndOthersWithTenSignificantDigits) {
    EXPECT_EQ(formatted("999999999999999"), "999999999999999");
    EXPECT_EQ(formatted("1000000000000000"), "1e+15");
    EXPECT_EQ(formatted("10^15"), "1e+15");
    EXPECT_EQ(formatted("2.5*2"), "5");
    EXPECT_EQ(formatted("1/8"), "0.125");
    EXPECT_EQ(formatted("1/3"), "0.3333333333");
    EXPECT_EQ(formatted("0.1+0.2"), "0.3");
    EXPECT_EQ(formatted("2^60"), "1.152921505e+18");
    EXPECT_EQ(formatted("-0"), "0");
    EXPECT_EQ(formatted("-7"), "-7");
    EXPECT_EQ(formatted("1/1024/1024/1024"), "9.313225746e-10");
}

TEST(CalculatorNesting, RefusesNestingDeepEnoughToThreatenTheStack) {
    EXPECT_EQ(Calculator::evaluate(std::string(50, '(') + "1" + std::string(50, ')')), 1);
    EXPECT_EQ(Calculator::evaluate(std::string(100, '-') + "1"), 1);
    EXPECT_EQ(Calculator::evaluate(std::string(100000, '(') + "1" + std::string(100000, ')')), std::nullopt);
    EXPECT_EQ(Calculator::evaluate(std::string(100000, '-') + "1"), std::nullopt);
    std::string powers;
    for (int i = 0; i < 100000; ++i)
        powers += "1^";
    EXPECT_EQ(Calculator::evaluate(powers + "1"), std::nullopt);
}
