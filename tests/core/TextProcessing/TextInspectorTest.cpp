#include "core/TextProcessing/TextInspector.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using ondravell::TextInspector;
using Detected = TextInspector::Detected;
using Kinds = std::vector<Detected::Kind>;

namespace {

Kinds kinds(const std::string& text) {
    Kinds result;
    for (const auto& found : TextInspector::detect(text))
        result.push_back(found.kind);
    return result;
}

TextInspector::Date seconds(double value) {
    return TextInspector::Date(std::chrono::duration<double>(value));
}

} // namespace

TEST(TextInspectorCount, CountsCharactersWordsAndCJK) {
    EXPECT_EQ(TextInspector::count(""), TextInspector::Counts{});
    EXPECT_EQ(TextInspector::count("\n"), (TextInspector::Counts{1, 0, 0, 0, 2}));
    const auto mixed = TextInspector::count("\u4f60\u597d world 123");
    EXPECT_EQ(mixed.cjkCharacters, 2);
    EXPECT_EQ(mixed.latinWords, 1);
    EXPECT_EQ(mixed.characters, 12);
    EXPECT_EQ(mixed.charactersNoSpace, 10);
    EXPECT_EQ(TextInspector::count("don't").latinWords, 2);
    EXPECT_EQ(TextInspector::count("\u4e2dabc caf\u00e9 \u0430\u0431").latinWords, 2);
    EXPECT_EQ(TextInspector::count("e\u0301 \U0001F600").characters, 3);
    // Hangul and kana count; CJK punctuation and full-width forms do not.
    EXPECT_EQ(TextInspector::count("\ud55c\u3042\u30a2\u3002\uff21").cjkCharacters, 3);
}

TEST(TextInspectorCount, CountsLineBreaksAsAReaderSeesThem) {
    EXPECT_EQ(TextInspector::count("a\r\nb\r\nc").lines, 3);
    EXPECT_EQ(TextInspector::count("a\nb\n").lines, 3);
    EXPECT_EQ(TextInspector::count("a\rb").lines, 2);
    EXPECT_EQ(TextInspector::count("a\u2028b\u2029c").lines, 3);
    EXPECT_EQ(TextInspector::count("abc").lines, 1);
}

TEST(TextInspectorCount, DropsSpacesBeforeCountingNonSpaceCharacters) {
    EXPECT_EQ(TextInspector::count("a b\tc\u3000d\r\n").charactersNoSpace, 4);
    EXPECT_EQ(TextInspector::count("a\n\u0301").charactersNoSpace, 1);
}

TEST(TextInspectorDetect, RecognisesWebAddresses) {
    EXPECT_EQ(TextInspector::detect("https://example.com/a?b=c"),
              (std::vector<Detected>{Detected::url("https://example.com/a?b=c")}));
    EXPECT_EQ(kinds("HTTP://example.com"), Kinds{Detected::Kind::url});
    EXPECT_EQ(kinds("ftp://files.example.com"), Kinds{Detected::Kind::url});
    EXPECT_EQ(TextInspector::detect("  www.Example.com/x \n"),
              (std::vector<Detected>{Detected::url("https://www.Example.com/x")}));
    EXPECT_EQ(kinds("example.com"), Kinds{});
    EXPECT_EQ(kinds("www.example.com and more"), Kinds{});
    EXPECT_EQ(kinds("mailto:someone@example.com"), Kinds{});
    EXPECT_EQ(kinds("https://exa mple.com"), Kinds{});
    EXPECT_EQ(kinds("https://example.com/%zz"), Kinds{});
    EXPECT_EQ(kinds("1http://example.com"), Kinds{});
}

TEST(TextInspectorDetect, PercentEncodesCharactersBeyondASCIIInWebAddresses) {
    EXPECT_EQ(TextInspector::detect("https://zh.wikipedia.org/wiki/\u4e2d\u6587"),
              (std::vector<Detected>{Detected::url("https://zh.wikipedia.org/wiki/%E4%B8%AD%E6%96%87")}));
    EXPECT_EQ(TextInspector::detect("www.example.com/\u00e9"),
              (std::vector<Detected>{Detected::url("https://www.example.com/%C3%A9")}));
    EXPECT_EQ(kinds("https://example.com/a\u3000b"), Kinds{});
}

TEST(TextInspectorDetect, RecognisesEmailAddresses) {
    EXPECT_EQ(TextInspector::detect(" first.last+tag@mail.example.org "),
              (std::vector<Detected>{Detected::email("first.last+tag@mail.example.org")}));
    EXPECT_EQ(kinds("a@b.c"), Kinds{});
    EXPECT_EQ(kinds("a@@b.com"), Kinds{});
}

TEST(TextInspectorDetect, RecognisesExistingPathsWithTildeExpansion) {
    const auto folder = std::filesystem::temp_directory_path() / "ondravell-inspector-test";
    std::filesystem::create_directories(folder / "home" / "notes");
    setenv("HOME", (folder / "home").c_str(), 1);
    EXPECT_EQ(TextInspector::detect("/tmp"), (std::vector<Detected>{Detected::filePath("/tmp")}));
    EXPECT_EQ(TextInspector::detect("~"),
              (std::vector<Detected>{Detected::filePath((folder / "home").string())}));
    EXPECT_EQ(TextInspector::detect("~/notes"),
              (std::vector<Detected>{Detected::filePath((folder / "home" / "notes").string())}));
    EXPECT_EQ(kinds("/no/such/path/here"), Kinds{});
    EXPECT_EQ(kinds("~notes"), Kinds{});
    std::filesystem::remove_all(folder);
}

TEST(TextInspectorDetect, RecognisesColours) {
    using Color = TextInspector::Color;
    EXPECT_EQ(TextInspector::detect("#1e90ff"),
              (std::vector<Detected>{Detected::hexColor(Color{30 / 255.0, 144 / 255.0, 255 / 255.0})}));
    EXPECT_EQ(TextInspector::parseColor("#abc"), (Color{170 / 255.0, 187 / 255.0, 204 / 255.0}));
    EXPECT_EQ(TextInspector::parseColor(" \t#FFF "), (Color{1, 1, 1}));
    EXPECT_EQ(TextInspector::parseColor("rgba(10, 20, 30, 0.5)"),
              (Color{10 / 255.0, 20 / 255.0, 30 / 255.0}));
    EXPECT_EQ(TextInspector::parseColor("rgb(1,2,3"), (Color{1 / 255.0, 2 / 255.0, 3 / 255.0}));
    for (const char* text :
         {"#1e90ff80", "#ab", "#", "#ggg", "rgb(300, 0, 0)", "RGB(1,2,3)", "rgb(1,2)", "red"})
        EXPECT_EQ(TextInspector::parseColor(text), std::nullopt) << text;
    EXPECT_EQ(kinds("#1e90ff80"), Kinds{});
}

TEST(TextInspectorDetect, RecognisesUnixTimesInSecondsOrMilliseconds) {
    EXPECT_EQ(TextInspector::detect("1700000000"),
              (std::vector<Detected>{Detected::unixTimestamp(seconds(1700000000))}));
    EXPECT_EQ(TextInspector::detect("1700000000123"),
              (std::vector<Detected>{Detected::unixTimestamp(seconds(1700000000.123))}));
    EXPECT_EQ(kinds("631152000"), Kinds{});  // nine digits
    EXPECT_EQ(kinds("4102444801"), Kinds{}); // after 2100
    EXPECT_EQ(kinds("17000000001"), Kinds{});
    EXPECT_EQ(kinds("0631151999"), Kinds{});
    EXPECT_EQ(kinds("4102444800"), Kinds{Detected::Kind::unixTimestamp});
}

TEST(TextInspectorDetect, RecognisesArithmeticWithinItsCap) {
    EXPECT_EQ(kinds("1+2"), Kinds{Detected::Kind::arithmetic});
    EXPECT_EQ(kinds("2024-01-15"), Kinds{Detected::Kind::arithmetic});
    EXPECT_EQ(kinds("(1 + 2) * 3 ^ 2 % 4"), Kinds{Detected::Kind::arithmetic});
    EXPECT_EQ(kinds("12"), Kinds{});
    EXPECT_EQ(kinds("3 x 4"), Kinds{});
    EXPECT_EQ(kinds("+-"), Kinds{});
    std::string longest = "1";
    while (longest.size() < 128)
        longest += "+1";
    EXPECT_EQ(kinds(longest.substr(0, 127)), Kinds{Detected::Kind::arithmetic});
    EXPECT_EQ(kinds(longest.substr(0, 129)), Kinds{});
}

TEST(TextInspectorDetect, ReturnsSeveralFindingsInKindOrder) {
    EXPECT_EQ(kinds("/"), Kinds({Detected::Kind::filePath}));
    EXPECT_EQ(kinds("1700000000-1"), Kinds{Detected::Kind::arithmetic});
}

TEST(TextInspectorDetect, RefusesSelectionsLongerThanItsCap) {
    const std::string url = "https://example.com/";
    EXPECT_EQ(kinds(url + std::string(2048 - url.size(), 'a')), Kinds{Detected::Kind::url});
    EXPECT_EQ(kinds(url + std::string(2049 - url.size(), 'a')), Kinds{});
    EXPECT_EQ(kinds("   \n"), Kinds{});
}
