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

// Emoji sequences, right-to-left letters with their marks, combining accents, the sharp s, Turkish and
// Greek case rules and digits, in every word style but kebab case (snake case with another joint).
TEST(CaseConverterConvert, WritesTrickyTextsInEveryWordStyle) {
    struct Case {
        const char* text;
        const char* locale;
        const char* camel;
        const char* pascal;
        const char* snake;
        const char* constant;
        const char* title;
    };
    const Case cases[] = {
        {"\U0001f44d\U0001f3fdthumbsUp", "en_US", "\U0001f44d\U0001f3fdthumbsUp",
         "\U0001f44d\U0001f3fdthumbsUp", "\U0001f44d\U0001f3fdthumbs_up", "\U0001f44d\U0001f3fdTHUMBS_UP",
         "\U0001f44d\U0001f3fdthumbs Up"},
        {"familyTime\U0001f468\u200d\U0001f469\u200d\U0001f467", "en_US",
         "familyTime\U0001f468\u200d\U0001f469\u200d\U0001f467",
         "FamilyTime\U0001f468\u200d\U0001f469\u200d\U0001f467",
         "family_time\U0001f468\u200d\U0001f469\u200d\U0001f467",
         "FAMILY_TIME\U0001f468\u200d\U0001f469\u200d\U0001f467",
         "Family Time\U0001f468\u200d\U0001f469\u200d\U0001f467"},
        {"\u0645\u0631\u062d\u0628\u0627_\u0628\u0627\u0644\u0639\u0627\u0644\u0645", "en_US",
         "\u0645\u0631\u062d\u0628\u0627\u0628\u0627\u0644\u0639\u0627\u0644\u0645",
         "\u0645\u0631\u062d\u0628\u0627\u0628\u0627\u0644\u0639\u0627\u0644\u0645",
         "\u0645\u0631\u062d\u0628\u0627_\u0628\u0627\u0644\u0639\u0627\u0644\u0645",
         "\u0645\u0631\u062d\u0628\u0627_\u0628\u0627\u0644\u0639\u0627\u0644\u0645",
         "\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"},
        {"\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd-\u05e2\u05d5\u05b9\u05dc\u05b8\u05ddValue", "en_US",
         "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd\u05e2\u05d5\u05b9\u05dc\u05b8\u05ddvalue",
         "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd\u05e2\u05d5\u05b9\u05dc\u05b8\u05ddvalue",
         "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd_\u05e2\u05d5\u05b9\u05dc\u05b8\u05ddvalue",
         "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd_\u05e2\u05d5\u05b9\u05dc\u05b8\u05ddVALUE",
         "\u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd \u05e2\u05d5\u05b9\u05dc\u05b8\u05ddvalue"},
        {"e\u0301coleNormale", "fr", "e\u0301coleNormale", "E\u0301coleNormale", "e\u0301cole_normale",
         "E\u0301COLE_NORMALE", "E\u0301cole Normale"},
        {"\u00e9T\u00e9", "fr", "\u00e9T\u00e9", "\u00c9T\u00e9", "\u00e9_t\u00e9", "\u00c9_T\u00c9",
         "\u00c9 T\u00e9"},
        {"stra\u00dfeName", "de", "stra\u00dfeName", "Stra\u00dfeName", "stra\u00dfe_name", "STRASSE_NAME",
         "Stra\u00dfe Name"},
        {"\u1e9eig", "de", "\u00dfig", "SSig", "\u00dfig", "SSIG", "SSig"},
        {"istanbul_\u0130zmir", "tr_TR", "istanbul\u0130zmir", "\u0130stanbul\u0130zmir", "istanbul_izmir",
         "\u0130STANBUL_\u0130ZM\u0130R", "\u0130stanbul \u0130zmir"},
        {"istanbul_\u0130zmir", "en_US", "istanbulI\u0307zmir", "IstanbulI\u0307zmir", "istanbul_i\u0307zmir",
         "ISTANBUL_I\u0307ZMIR", "Istanbul I\u0307zmir"},
        {"HTTP2Server x2y3Z", "en_US", "http2ServerX2y3Z", "Http2ServerX2y3Z", "http2_server_x2y3_z",
         "HTTP2_SERVER_X2Y3_Z", "Http2 Server X2y3 Z"},
        {"\u039f\u0394\u03a5\u03a3\u03a3\u0395\u03a5\u03a3_\u03a3\u0399\u03a3\u03a5\u03a6\u039f\u03a3", "el",
         "\u03bf\u03b4\u03c5\u03c3\u03c3\u03b5\u03c5\u03c2\u03a3\u03b9\u03c3\u03c5\u03c6\u03bf\u03c2",
         "\u039f\u03b4\u03c5\u03c3\u03c3\u03b5\u03c5\u03c2\u03a3\u03b9\u03c3\u03c5\u03c6\u03bf\u03c2",
         "\u03bf\u03b4\u03c5\u03c3\u03c3\u03b5\u03c5\u03c2_\u03c3\u03b9\u03c3\u03c5\u03c6\u03bf\u03c2",
         "\u039f\u0394\u03a5\u03a3\u03a3\u0395\u03a5\u03a3_\u03a3\u0399\u03a3\u03a5\u03a6\u039f\u03a3",
         "\u039f\u03b4\u03c5\u03c3\u03c3\u03b5\u03c5\u03c2 \u03a3\u03b9\u03c3\u03c5\u03c6\u03bf\u03c2"},
        {"1\ufe0f\u20e3keycap", "en_US", "1\ufe0f\u20e3keycap", "1\ufe0f\u20e3keycap", "1\ufe0f\u20e3keycap",
         "1\ufe0f\u20e3KEYCAP", "1\ufe0f\u20e3keycap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.locale);
        EXPECT_EQ(CaseConverter::convert(c.text, NamingStyle::camelCase, c.locale), c.camel);
        EXPECT_EQ(CaseConverter::convert(c.text, NamingStyle::pascalCase, c.locale), c.pascal);
        EXPECT_EQ(CaseConverter::convert(c.text, NamingStyle::snakeCase, c.locale), c.snake);
        EXPECT_EQ(CaseConverter::convert(c.text, NamingStyle::constantCase, c.locale), c.constant);
        EXPECT_EQ(CaseConverter::convert(c.text, NamingStyle::titleCase, c.locale), c.title);
    }
    // Bytes that are not UTF-8 come out as U+FFFD, as from every other case mapping.
    EXPECT_EQ(CaseConverter::convert("aB\xff"
                                     "cD",
                                     NamingStyle::snakeCase, "en"),
              "a_b\ufffdc_d");
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
