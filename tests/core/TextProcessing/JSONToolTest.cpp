#include "core/TextProcessing/JSONTool.h"

#include <gtest/gtest.h>

using ondravell::JSONTool;

TEST(JSONToolValidity, AcceptsTopLevelScalarsAndRejectsBrokenText) {
    for (const char* text :
         {"42", "\"s\"", "{}", "[]", "null", "true", " [1, -0.5e+3] ", "{\"a\":{\"b\":[]}}"})
        EXPECT_TRUE(JSONTool::isValid(text)) << text;
    for (const char* text :
         {"", " ", "{a:1}", "[1,]", "{\"a\":1,}", "01", "1.", ".5", "+1", "[1 2]", "\"a\nb\"", "\"\\x\"",
          "\"\\ud800\"", "\"\\udc00x\"", "NaN", "[1]x", "\"\xff\"", "tru"})
        EXPECT_FALSE(JSONTool::isValid(text)) << text;
}

TEST(JSONToolValidity, RefusesNestingBeyondTheReaderLimitWithoutCrashing) {
    EXPECT_TRUE(JSONTool::isValid(std::string(512, '[') + std::string(512, ']')));
    EXPECT_FALSE(JSONTool::isValid(std::string(513, '[') + std::string(513, ']')));
    EXPECT_FALSE(JSONTool::isValid(std::string(1'000'000, '[')));
}

TEST(JSONToolPrettyPrint, SortsKeysAndIndents) {
    EXPECT_EQ(JSONTool::prettyPrint("{\"b\":1,\"a\":[true,null,{}],\"c\":[]}"),
              "{\n  \"a\" : [\n    true,\n    null,\n    {}\n  ],\n  \"b\" : 1,\n  \"c\" : []\n}");
}

TEST(JSONToolPrettyPrint, SortsByCodePointOfTheDecodedKey) {
    EXPECT_EQ(JSONTool::minify(JSONTool::prettyPrint("{\"\\u00e9\":1,\"z\":2,\"\\u0041\":3}").value()),
              "{\"A\":3,\"z\":2,\"\u00e9\":1}");
}

TEST(JSONToolNumbers, KeepEveryNumberAsWritten) {
    EXPECT_EQ(JSONTool::prettyPrint("12345678901234567890123"), "12345678901234567890123");
    EXPECT_EQ(JSONTool::minify("[1.10, -0, 1E+2, 0.1, 9007199254740993]"),
              "[1.10,-0,1E+2,0.1,9007199254740993]");
    EXPECT_EQ(JSONTool::prettyPrint("{\"n\": 12345678901234567890123}"),
              "{\n  \"n\" : 12345678901234567890123\n}");
}

TEST(JSONToolStrings, WritesSlashesAndNonASCIIAsThemselvesAndEscapesControls) {
    EXPECT_EQ(JSONTool::minify("\"a\\/b \\u4e2d \\ud83d\\ude00\""), "\"a/b \u4e2d \U0001F600\"");
    EXPECT_EQ(JSONTool::minify("\"\\u0001\\n\\t\\\"\\\\\""), "\"\\u0001\\n\\t\\\"\\\\\"");
    EXPECT_EQ(JSONTool::minify("\"\u4e2d/\u6587\""), "\"\u4e2d/\u6587\"");
    EXPECT_EQ(JSONTool::minify("\"\\u0000\""), "\"\\u0000\"");
}

TEST(JSONToolMinify, RemovesWhiteSpaceAndKeepsMemberOrder) {
    const std::string pretty = JSONTool::prettyPrint("{\"b\": [1, 2], \"a\": {\"y\": \"x y\"}}").value();
    EXPECT_EQ(JSONTool::minify(pretty), "{\"a\":{\"y\":\"x y\"},\"b\":[1,2]}");
    EXPECT_EQ(JSONTool::minify(" {\"z\" : 1 ,\n\"a\" : 2} "), "{\"z\":1,\"a\":2}");
    EXPECT_EQ(JSONTool::minify(" \"top\" "), "\"top\"");
    EXPECT_EQ(JSONTool::minify("null"), "null");
    EXPECT_EQ(JSONTool::prettyPrint(" true "), "true");
}

TEST(JSONToolDuplicateKeys, KeepTheLastValueAtTheFirstPlace) {
    EXPECT_EQ(JSONTool::minify("{\"a\":1,\"b\":2,\"a\":3,\"a\":4}"), "{\"a\":4,\"b\":2}");
    EXPECT_EQ(JSONTool::prettyPrint("{\"b\":1,\"a\":2,\"b\":3}"), "{\n  \"a\" : 2,\n  \"b\" : 3\n}");
}

TEST(JSONToolDuplicateKeys, AreFoundInLargeObjectsToo) {
    std::string text = "{";
    std::string sorted = "{";
    for (char c = 'a'; c <= 'z'; ++c) {
        text += std::string(c == 'a' ? "" : ",") + "\"" + c + "\":0";
        sorted += std::string(c == 'a' ? "" : ",") + "\"" + c + "\":" + (c == 'c' || c == 'x' ? "2" : "0");
    }
    text += ",\"x\":1,\"c\":1,\"x\":2,\"c\":2}";
    sorted += "}";
    EXPECT_EQ(JSONTool::minify(text), sorted);
    EXPECT_EQ(JSONTool::minify(JSONTool::prettyPrint(text).value()), sorted);
}

TEST(JSONToolFailures, GiveNothingForInvalidText) {
    EXPECT_EQ(JSONTool::prettyPrint("{"), std::nullopt);
    EXPECT_EQ(JSONTool::minify(""), std::nullopt);
    EXPECT_EQ(JSONTool::minify("[1]]"), std::nullopt);
}
