#include "core/TextProcessing/TextCleaner.h"

#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/IcuRegex.h"

#include <gtest/gtest.h>
#include <random>

using ondravell::TextCleaner;

namespace {

// Line-break removal as the pattern states it, to hold the one-pass version against.
std::string removeLineBreaksByPattern(std::string_view text) {
    static const ondravell::IcuRegex lineBreaks(u"\\s*\\n\\s*");
    using ondravell::UnicodeText;
    return TextCleaner::trimSpaces(
        UnicodeText::fromICU(lineBreaks.replaceAll(UnicodeText::toICU(text), u" ")));
}

} // namespace

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

TEST(TextCleanerLineBreaks, GivesWhatThePatternGivesOnTrickyTexts) {
    const std::vector<std::string> texts = {
        "",
        "\n",
        " ",
        "a",
        "a\nb",
        "a \t\n\r b",
        "\n\n  a  \n",
        "a\r\rb",
        "a\r \tb\n",
        "a\u3000\u00a0\nb",
        "a\u2028b",
        "a\u0085\u2029\nb",
        "a\u200b\nb\ufeff",
        "a\u180e\nb",
        "x\xff \n\xfe y",
        "\xe4\xb8",
        "\t\ta\v\f\nb  ",
        std::string(3, '\0') + "\n" + std::string(1, '\0'),
        "\U0001F600 \n \U0001F600",
        "  \r\n  \r\n  ",
        "a" + std::string(300, ' ') + "b",
    };
    for (const std::string& text : texts)
        EXPECT_EQ(TextCleaner::removeLineBreaks(text), removeLineBreaksByPattern(text)) << text;

    // Every character of the Basic Multilingual Plane as white space or not, beside a line feed.
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::string text = "a" + ondravell::UnicodeText::fromICU(icu::UnicodeString(static_cast<UChar32>(c)));
        text = text + "\n" + text.substr(1) + "b";
        ASSERT_EQ(TextCleaner::removeLineBreaks(text), removeLineBreaksByPattern(text))
            << std::hex << static_cast<unsigned>(c);
    }

    std::mt19937 random(16);
    const std::vector<std::string> pieces = {" ",      "\t",         "\n",     "\r",    "\v",
                                             "\u3000", "\u2028",     "\u00a0", "a",     "\u4e2d",
                                             "\xff",   "\U0001F600", "\u0301", "\u200b"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const auto length = random() % 24;
        for (unsigned i = 0; i < length; ++i)
            text += pieces[random() % pieces.size()];
        ASSERT_EQ(TextCleaner::removeLineBreaks(text), removeLineBreaksByPattern(text)) << text;
    }
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
