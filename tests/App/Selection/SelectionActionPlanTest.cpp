#include "App/Selection/SelectionActionPlan.h"

#include "core/SharedConfig/OndravellSettings.h"

#include <gtest/gtest.h>

namespace ondravell {
namespace {

using Kind = SelectionAction::Kind;
using Effect = SelectionActionPlan::Effect;

OndravellSettings settingsWith(std::string searchID, std::string aiID) {
    OndravellSettings settings;
    settings.selectionSearchEngineID = std::move(searchID);
    settings.selectionAIEngineID = std::move(aiID);
    settings.selectionCustomAIEngines.push_back({"mine", "我的助手", "myai://ask?q={q}", false});
    settings.selectionCustomAIEngines.push_back({"loud", "Loud", "HTTPS://loud.example/?q={q}", false});
    return settings;
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

struct Case {
    const char* name;
    Kind kind;
    std::string text;
    Effect effect;
    // The plan's text, or the value of its first row for the panels of rows ("" to skip).
    std::string expected;
    std::string search = "google";
    std::string ai = "claude";
};

TEST(SelectionActionPlanTest, EachActionDecidesItsEffect) {
    const std::string claude4000 = "claude://claude.ai/new?q=" + repeated("你", 4000);
    const Case cases[] = {
        {"13 digits are milliseconds", Kind::timestamp, "1700000000000", Effect::showRows, ""},
        {"a padded 13-digit number too", Kind::timestamp, " 1700000000000", Effect::showRows, ""},
        {"a padded 10-digit number is seconds", Kind::timestamp, " 1700000000 ", Effect::showRows, ""},
        {"a line break is no padding", Kind::timestamp, "1700000000\n", Effect::nothing, ""},
        {"letters are no timestamp", Kind::timestamp, "17000x", Effect::nothing, ""},
        {"an empty text is no timestamp", Kind::timestamp, "", Effect::nothing, ""},
        {"infinity is no date", Kind::timestamp, "inf", Effect::nothing, ""},
        {"not a number is no date", Kind::timestamp, "nan", Effect::nothing, ""},
        {"year 10000 is no date", Kind::timestamp, "253402300800", Effect::nothing, ""},
        {"year 0 is no date", Kind::timestamp, "-62135596801", Effect::nothing, ""},
        {"4,000 characters go whole", Kind::askAI, repeated("你", 4000), Effect::openAppURL, claude4000},
        {"the 4,001st is cut", Kind::askAI, repeated("你", 4001), Effect::openAppURL, claude4000},
        {"an unknown AI engine is the first", Kind::askAI, "hi", Effect::openAppURL,
         "claude://claude.ai/new?q=hi", "google", "gone"},
        {"capital HTTPS opens directly", Kind::askAI, "hi", Effect::openURL, "HTTPS://loud.example/?q=hi",
         "google", "loud"},
        {"web AI opens directly", Kind::askAI, "a b", Effect::openURL, "https://chatgpt.com/?q=a%20b",
         "google", "chatgpt"},
        {"an unknown search engine is the first", Kind::search, "x", Effect::openURL,
         "https://www.google.com/search?q=x", "gone"},
        {"search with Bing", Kind::search, "x", Effect::openURL, "https://www.bing.com/search?q=x", "bing"},
        {"a search is cut as an AI request", Kind::search, repeated("x", 5'000'000), Effect::openURL,
         "https://www.bing.com/search?q=" + repeated("x", 4000), "bing"},
        {"the dictionary too", Kind::dictionary, repeated("词", 4001), Effect::lookUpWord,
         repeated("词", 4000)},
        {"open a web link", Kind::openDetected, "https://example.org/a", Effect::openURL,
         "https://example.org/a"},
        {"open an address", Kind::openDetected, "me@example.org", Effect::openURL, "mailto:me@example.org"},
        {"reveal a folder", Kind::openDetected, "/tmp", Effect::revealFile, "/tmp"},
        {"a script URL is searched", Kind::openDetected, "javascript:alert(1)", Effect::openURL,
         "https://www.google.com/search?q=javascript%3Aalert%281%29"},
        {"a remote file scheme is searched", Kind::openDetected, "smb://host/share", Effect::openURL,
         "https://www.google.com/search?q=smb%3A%2F%2Fhost%2Fshare"},
        {"a colour is searched", Kind::openDetected, "#ff0000", Effect::openURL,
         "https://www.google.com/search?q=%23ff0000"},
        {"copy", Kind::copyText, "abc", Effect::copy, "abc"},
        {"dictionary", Kind::dictionary, "-rf", Effect::lookUpWord, "-rf"},
        {"translate", Kind::translate, "hello", Effect::showTranslation, "hello"},
        {"word count", Kind::wordCount, "你好 world\nx", Effect::showRows, "10"},
        {"naming styles", Kind::caseConvert, "hello world", Effect::showRows, "helloWorld"},
        {"encodings", Kind::encode, "a b", Effect::showRows, "YSBi"},
        {"valid JSON", Kind::jsonTool, "{\"b\":1,\"a\":[]}", Effect::showText,
         "{\n  \"a\" : [],\n  \"b\" : 1\n}"},
        {"invalid JSON", Kind::jsonTool, "{", Effect::showMessage, "不是合法 JSON"},
        {"deep JSON", Kind::jsonTool, repeated("[", 100000), Effect::showMessage, "不是合法 JSON"},
        {"calculate", Kind::calculate, "1 + 2*3", Effect::showRows, "7"},
        {"10,000 operators", Kind::calculate, repeated("1+", 10000) + "1", Effect::showRows, "10001"},
        {"no expression", Kind::calculate, "1 +", Effect::nothing, ""},
        {"a colour", Kind::colorPreview, "#FF8000", Effect::showColor, ""},
        {"no colour", Kind::colorPreview, "red", Effect::nothing, ""},
        {"clean-up", Kind::cleanText, "  a   b  ", Effect::showRows, "a b"},
        {"QR code", Kind::qrCode, "hello", Effect::showQRCode, ""},
        {"QR beyond capacity", Kind::qrCode, repeated("a", 2332), Effect::nothing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OndravellSettings settings = settingsWith(c.search, c.ai);
        const SelectionActionPlan plan = SelectionActionPlan::make(c.kind, c.text, [&] { return settings; });
        EXPECT_EQ(plan.effect, c.effect);
        if (c.expected.empty())
            continue;
        if (plan.effect == Effect::showRows) {
            EXPECT_EQ(plan.rows.at(0).value, c.expected);
        } else {
            EXPECT_EQ(plan.text.substr(0, 4096), c.expected.substr(0, 4096));
        }
        if (c.kind == Kind::askAI || c.kind == Kind::search || c.kind == Kind::dictionary) {
            EXPECT_EQ(plan.text.size(), c.expected.size());
        }
    }
}

TEST(SelectionActionPlanTest, PanelsCarryTheirRowsAndReplaceValues) {
    auto make = [](Kind kind, std::string_view text) {
        return SelectionActionPlan::make(kind, text, nullptr);
    };

    const auto utc = [&](std::string_view text) { return make(Kind::timestamp, text).rows.at(1).value; };
    EXPECT_EQ(utc("1700000000000"), "2023-11-14 22:13:20 (UTC)");
    EXPECT_EQ(utc(" 1700000000000"), "2023-11-14 22:13:20 (UTC)");
    EXPECT_EQ(utc("\t1700000000 "), "2023-11-14 22:13:20 (UTC)");

    const SelectionActionPlan words = make(Kind::wordCount, "ab");
    EXPECT_FALSE(words.copyable);
    EXPECT_EQ(words.rows.size(), 5u);

    const SelectionActionPlan sum = make(Kind::calculate, " 2*21");
    EXPECT_EQ(sum.rows, (std::vector<SelectionActionPlan::Row>{{" 2*21", "42"}}));
    EXPECT_EQ(sum.replaceValue, "42");

    // "URL 解码" only when decoding changes the text; "Base64 解码" only for valid Base64.
    EXPECT_EQ(make(Kind::encode, "a b").rows.size(), 4u);
    const SelectionActionPlan decoded = make(Kind::encode, "a%20b");
    EXPECT_EQ(decoded.rows.back().label, "URL 解码");
    EXPECT_EQ(decoded.rows.back().value, "a b");
    EXPECT_EQ(make(Kind::encode, "YWJj").rows.at(4).value, "abc");

    const SelectionActionPlan claude = SelectionActionPlan::make(Kind::askAI, "hi", nullptr);
    EXPECT_EQ(claude.fallbackURL, "https://claude.ai/new?q=hi");
    OndravellSettings mine = settingsWith("google", "mine");
    const SelectionActionPlan other = SelectionActionPlan::make(Kind::askAI, "hi", [&] { return mine; });
    EXPECT_EQ(other.fallbackURL, std::nullopt);
    EXPECT_EQ(other.engineName, "我的助手");

    const SelectionActionPlan clean = make(Kind::cleanText, "漢字 and中文");
    EXPECT_EQ(clean.rows.at(3).value, "汉字 and中文");
    EXPECT_EQ(clean.rows.at(2).value, "漢字 and 中文");
}

} // namespace
} // namespace ondravell
