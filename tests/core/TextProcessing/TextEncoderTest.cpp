#include "core/TextProcessing/TextEncoder.h"

#include <gtest/gtest.h>

using ondravell::TextEncoder;

TEST(TextEncoderBase64, EncodesInBothAlphabets) {
    EXPECT_EQ(TextEncoder::base64Encode("abc", false), "YWJj");
    EXPECT_EQ(TextEncoder::base64Encode("ab", false), "YWI=");
    EXPECT_EQ(TextEncoder::base64Encode("ab", true), "YWI");
    EXPECT_EQ(TextEncoder::base64Encode("a", false), "YQ==");
    EXPECT_EQ(TextEncoder::base64Encode("", false), "");
    // U+FBFF encodes as 76+/ in the standard alphabet.
    EXPECT_EQ(TextEncoder::base64Encode("\uFBFF", false), "76+/");
    EXPECT_EQ(TextEncoder::base64Encode("\uFBFF", true), "76-_");
    EXPECT_EQ(TextEncoder::base64Encode("\u4e2d\u6587", false), "5Lit5paH");
}

TEST(TextEncoderBase64, DecodesEitherAlphabetWithOrWithoutPadding) {
    EXPECT_EQ(TextEncoder::base64Decode("YWI"), "ab");
    EXPECT_EQ(TextEncoder::base64Decode("YWI="), "ab");
    EXPECT_EQ(TextEncoder::base64Decode("YQ"), "a");
    EXPECT_EQ(TextEncoder::base64Decode("76-_"), "\uFBFF");
    EXPECT_EQ(TextEncoder::base64Decode("76+/"), "\uFBFF");
    EXPECT_EQ(TextEncoder::base64Decode(""), "");
}

TEST(TextEncoderBase64, RefusesMalformedInputAndBinaryData) {
    EXPECT_EQ(TextEncoder::base64Decode("YWJjZ"), std::nullopt);      // length 1 modulo 4
    EXPECT_EQ(TextEncoder::base64Decode("YWJj\nYWJj"), std::nullopt); // line break
    EXPECT_EQ(TextEncoder::base64Decode("YW Jj"), std::nullopt);
    EXPECT_EQ(TextEncoder::base64Decode("YW=j"), std::nullopt);     // padding inside
    EXPECT_EQ(TextEncoder::base64Decode("YQ==YWJj"), std::nullopt); // padding before the end
    EXPECT_EQ(TextEncoder::base64Decode("===="), std::nullopt);
    EXPECT_EQ(TextEncoder::base64Decode("YWJ*"), std::nullopt);
    EXPECT_EQ(TextEncoder::base64Decode("/w=="), std::nullopt); // the byte FF is not UTF-8
}

TEST(TextEncoderURL, EncodesEverythingButLettersMarksAndNumbers) {
    EXPECT_EQ(TextEncoder::urlEncode("a b&c"), "a%20b%26c");
    EXPECT_EQ(TextEncoder::urlEncode("\u4e2d\u6587"), "\u4e2d\u6587");
    EXPECT_EQ(TextEncoder::urlEncode("a-b.c_d~e"), "a%2Db%2Ec%5Fd%7Ee");
    EXPECT_EQ(TextEncoder::urlEncode("e\u0301\u00b2"), "e\u0301\u00b2");
    EXPECT_EQ(TextEncoder::urlEncode("\u3002"), "%E3%80%82");
    EXPECT_EQ(TextEncoder::urlEncode("a\xff"), "a\xff"); // not UTF-8: unchanged
}

TEST(TextEncoderURL, DecodesPercentEscapesOnly) {
    EXPECT_EQ(TextEncoder::urlDecode("a%20b"), "a b");
    EXPECT_EQ(TextEncoder::urlDecode("a+b"), "a+b");
    EXPECT_EQ(TextEncoder::urlDecode("%E4%B8%AD%e6%96%87"), "\u4e2d\u6587");
    EXPECT_EQ(TextEncoder::urlDecode("100%"), std::nullopt);
    EXPECT_EQ(TextEncoder::urlDecode("100%2"), std::nullopt);
    EXPECT_EQ(TextEncoder::urlDecode("%zz"), std::nullopt);
    EXPECT_EQ(TextEncoder::urlDecode("%FF"), std::nullopt);
}

TEST(TextEncoderHTML, EscapesTheFiveCharactersWhereverTheyOccur) {
    EXPECT_EQ(TextEncoder::htmlEscape("<a href=\"x\">'&'</a>\n"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;\n");
    // A combining mark after "<" makes one character of the two; the "<" must still be escaped.
    EXPECT_EQ(TextEncoder::htmlEscape("<\u0338script>"), "&lt;\u0338script&gt;");
    EXPECT_EQ(TextEncoder::htmlEscape("\"\u0301&\u20dd"), "&quot;\u0301&amp;\u20dd");
}

TEST(TextEncoderUnicode, EscapesCodePointsAboveASCII) {
    EXPECT_EQ(TextEncoder::unicodeEscape("plain ASCII ~"), "plain ASCII ~");
    EXPECT_EQ(TextEncoder::unicodeEscape("\u00e9"), "\\u{E9}");
    EXPECT_EQ(TextEncoder::unicodeEscape("e\u0301"), "e\\u{301}");
    EXPECT_EQ(TextEncoder::unicodeEscape("\U0001F600"), "\\u{1F600}");
}
