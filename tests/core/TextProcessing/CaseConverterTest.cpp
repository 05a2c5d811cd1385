#include "core/TextProcessing/CaseConverter.h"

#include <gtest/gtest.h>

using ondravell::CaseConverter;
using ondravell::NamingStyle;
using Words = std::vector<std::string>;

TEST(CaseConverterTokenize, SplitsAtSeparatorsAndCaseChanges) {
    EXPECT_EQ(CaseConverter::tokenize("hello world.foo/bar_baz-qux"),
              (Words{"hello", "world", "foo", "bar", "baz", "qux"}));
    EXPECT_EQ(CaseConverter::tokenize("parseXMLDocument"), (Words{"parse", "XML", "Document"}));
    EXPECT_EQ(CaseConverter::tokenize("XMLParser"), (Words{"XML", "Parser"}));
    EXPECT_EQ(CaseConverter::tokenize("iPhone"), (Words{"i", "Phone"}));
    EXPECT_EQ(CaseConverter::tokenize("ABC"), (Words{"ABC"}));
    EXPECT_EQ(CaseConverter::tokenize("version2Update"), (Words{"version2", "Update"}));
    EXPECT_EQ(CaseConverter::tokenize("x2y"), (Words{"x2y"}));
    EXPECT_EQ(CaseConverter::tokenize("2nd"), (Words{"2nd"}));
}

TEST(CaseConverterTokenize, RunsOfSeparatorsGiveNoEmptyWords) {
    EXPECT_EQ(CaseConverter::tokenize("__init__"), (Words{"init"}));
    EXPECT_EQ(CaseConverter::tokenize("a--b"), (Words{"a", "b"}));
    EXPECT_EQ(CaseConverter::tokenize("-_ ./"), Words{});
}

TEST(CaseConverterTokenize, KeepsOtherPunctuationAndUncasedCharactersInsideWords) {
    EXPECT_EQ(CaseConverter::tokenize("a\tb"), (Words{"a\tb"}));
    EXPECT_EQ(CaseConverter::tokenize("\u4e2d\u6587Abc"), (Words{"\u4e2d\u6587Abc"}));
    // The ideograph for three is a numeric character, so a capital after it starts a word.
    EXPECT_EQ(CaseConverter::tokenize("\u7b2c\u4e09Abc"), (Words{"\u7b2c\u4e09", "Abc"}));
    // A decomposed capital is still one upper-case character.
    EXPECT_EQ(CaseConverter::tokenize("aE\u0301b"), (Words{"a", "E\u0301b"}));
}

TEST(CaseConverterConvert, WritesEveryWordStyleOfTheWorkedExample) {
    const std::string text = "parseXMLDocument";
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::camelCase, "en"), "parseXmlDocument");
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::pascalCase, "en"), "ParseXmlDocument");
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::snakeCase, "en"), "parse_xml_document");
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::kebabCase, "en"), "parse-xml-document");
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::constantCase, "en"), "PARSE_XML_DOCUMENT");
    EXPECT_EQ(CaseConverter::convert(text, NamingStyle::titleCase, "en"), "Parse Xml Document");
}

TEST(CaseConverterConvert, HandlesShortWordsAcronymsAndIdeographs) {
    EXPECT_EQ(CaseConverter::convert("iPhone", NamingStyle::camelCase, "en"), "iPhone");
    EXPECT_EQ(CaseConverter::convert("iPhone", NamingStyle::snakeCase, "en"), "i_phone");
    EXPECT_EQ(CaseConverter::convert("ABC", NamingStyle::camelCase, "en"), "abc");
    EXPECT_EQ(CaseConverter::convert("ABC", NamingStyle::pascalCase, "en"), "Abc");
    EXPECT_EQ(CaseConverter::convert("\u4e2d\u6587Abc", NamingStyle::camelCase, "en"), "\u4e2d\u6587abc");
}

TEST(CaseConverterConvert, WholeTextStylesKeepSpacingAndPunctuation) {
    EXPECT_EQ(CaseConverter::convert("HELLO wORLD", NamingStyle::capitalized, "en"), "Hello World");
    EXPECT_EQ(CaseConverter::convert("a_b c\nD", NamingStyle::upper, "en"), "A_B C\nD");
    EXPECT_EQ(CaseConverter::convert("A_B C\nd", NamingStyle::lower, "en"), "a_b c\nd");
}

TEST(CaseConverterConvert, FollowsTheLocaleCaseMappings) {
    EXPECT_EQ(CaseConverter::convert("istanbul", NamingStyle::upper, "tr_TR"), "\u0130STANBUL");
    EXPECT_EQ(CaseConverter::convert("istanbul", NamingStyle::upper, "en"), "ISTANBUL");
    EXPECT_EQ(CaseConverter::convert("istanbul city", NamingStyle::pascalCase, "tr"), "\u0130stanbulCity");
    EXPECT_EQ(CaseConverter::convert("stra\u00dfe", NamingStyle::constantCase, "de"), "STRASSE");
}

TEST(CaseConverterConvert, EmptyOrSeparatorOnlyTextGivesEmptyText) {
    for (NamingStyle style : ondravell::allNamingStyles) {
        EXPECT_EQ(CaseConverter::convert("", style, "en"), "");
    }
    EXPECT_EQ(CaseConverter::convert("__--", NamingStyle::camelCase, "en"), "");
}

TEST(NamingStyleRawValue, RoundTripsExactlyTheNineNames) {
    for (NamingStyle style : ondravell::allNamingStyles)
        EXPECT_EQ(ondravell::namingStyleFromRawValue(ondravell::rawValue(style)), style);
    EXPECT_EQ(ondravell::rawValue(NamingStyle::constantCase), "constantCase");
    EXPECT_EQ(ondravell::namingStyleFromRawValue("CamelCase"), std::nullopt);
    EXPECT_EQ(ondravell::namingStyleFromRawValue(""), std::nullopt);
}
