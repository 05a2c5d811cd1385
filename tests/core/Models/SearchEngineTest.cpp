#include "core/Models/SearchEngine.h"

#include "core/Support/StrictJson.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

using namespace ondravell;

namespace {
SearchEngine engine(std::string urlTemplate) {
    return SearchEngine{"x", "X", std::move(urlTemplate), false};
}
} // namespace

TEST(SearchEngineURL, EncodesBlanksAndSeparatorsButKeepsChineseText) {
    EXPECT_EQ(engine("https://e.example/s?q={q}").url("a b&c"), "https://e.example/s?q=a%20b%26c");
    EXPECT_EQ(engine("https://e.example/s?q={q}").url("中文"), "https://e.example/s?q=中文");
    EXPECT_EQ(SearchEngine::percentEncodedQuery("x=1+2/3?#é-._~"), "x%3D1%2B2%2F3%3F%23é-._~");
    EXPECT_EQ(SearchEngine::percentEncodedQuery("٣ 😀"), "٣%20%F0%9F%98%80");
}

TEST(SearchEngineURL, EncodesBytesThatAreNotUTF8) {
    EXPECT_EQ(SearchEngine::percentEncodedQuery("a\xff"), "a%FF");
}

TEST(SearchEngineURL, FillsEveryPlaceholderAndKeepsATemplateWithoutOne) {
    EXPECT_EQ(engine("https://e.example/{q}?q={q}").url("k"), "https://e.example/k?q=k");
    EXPECT_EQ(engine("https://e.example/home").url("k"), "https://e.example/home");
    EXPECT_EQ(engine("claude-cli://open?q={q}").url("hi there"), "claude-cli://open?q=hi%20there");
}

TEST(SearchEngineURL, GivesNothingForATemplateThatIsNoURL) {
    EXPECT_EQ(engine("").url("k"), std::nullopt);
    EXPECT_EQ(engine("not a url {q}").url("k"), std::nullopt);
    EXPECT_EQ(engine("{q}").url("k"), std::nullopt);
    EXPECT_EQ(engine("1http://e.example/{q}").url("k"), std::nullopt);
}

TEST(SearchEngineTables, HoldTheBuiltInEnginesInOrderWithUniqueIds) {
    ASSERT_EQ(SearchEngine::builtins().size(), 4u);
    ASSERT_EQ(SearchEngine::aiBuiltins().size(), 12u);
    EXPECT_EQ(SearchEngine::builtins()[0].id, "google");
    EXPECT_EQ(SearchEngine::aiBuiltins()[0].id, "claude");
    EXPECT_EQ(SearchEngine::aiBuiltins()[8].urlTemplate.rfind("/search?udm=50&q={q}"),
              SearchEngine::aiBuiltins()[8].urlTemplate.size() - 20);
    std::set<std::string> ids;
    for (const auto* table : {&SearchEngine::builtins(), &SearchEngine::aiBuiltins()})
        for (const auto& e : *table) {
            EXPECT_TRUE(ids.insert(e.id).second) << e.id;
            EXPECT_TRUE(e.url("q")) << e.id;
        }
    EXPECT_FALSE(SearchEngine::aiBuiltins()[4].autoSubmits);
    EXPECT_TRUE(SearchEngine::aiBuiltins()[5].autoSubmits);
}

TEST(SearchEngineJSON, ReadsAMissingAutoSubmitsAsFalseAndNeedsTheTemplate) {
    auto read =
        SearchEngine::fromJSON(*StrictJson::parse(R"({"id":"a","name":"A","urlTemplate":"https://a/{q}"})"));
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->autoSubmits);
    EXPECT_FALSE(SearchEngine::fromJSON(*StrictJson::parse(R"({"id":"a","name":"A"})")));
    SearchEngine e{"b", "B", "https://b/{q}", true};
    EXPECT_EQ(SearchEngine::fromJSON(e.toJSON()), e);
    EXPECT_TRUE(e.toJSON().contains("autoSubmits"));
}
