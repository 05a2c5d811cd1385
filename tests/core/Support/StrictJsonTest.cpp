#include "core/Support/StrictJson.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {
nlohmann::json parsed(std::string_view text) {
    auto value = StrictJson::parse(text);
    EXPECT_TRUE(value.has_value()) << text;
    return value.value_or(nlohmann::json());
}
} // namespace

TEST(StrictJsonParse, ReturnsNothingForBrokenTextInsteadOfThrowing) {
    EXPECT_FALSE(StrictJson::parse("{").has_value());
    EXPECT_FALSE(StrictJson::parse("").has_value());
    EXPECT_FALSE(StrictJson::parse("{\"a\":1} trailing").has_value());
    EXPECT_TRUE(StrictJson::parse("{}").has_value());
}

TEST(StrictJsonDump, ReportsInvalidUTF8AsNothing) {
    nlohmann::json value = {{"a", std::string("\xff\xfe")}};
    EXPECT_FALSE(StrictJson::dump(value).has_value());
    EXPECT_EQ(StrictJson::dump(nlohmann::json{{"a", 1}}), "{\"a\":1}");
}

TEST(ObjectReaderAbsence, MissingKeyAndNullAreBothAbsentAndNotFailures) {
    auto value = parsed(R"({"n": null})");
    ObjectReader reader(value);
    EXPECT_FALSE(reader.optionalString("n"));
    EXPECT_FALSE(reader.optionalInt64("missing"));
    EXPECT_TRUE(reader.ok());
    EXPECT_FALSE(reader.requiredString("n"));
    EXPECT_FALSE(reader.ok());
}

TEST(ObjectReaderTypes, RefusesSilentConversions) {
    struct Case {
        const char* json;
        std::function<void(ObjectReader&)> read;
    };
    std::vector<Case> cases = {
        {R"({"k": true})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": 1})", [](ObjectReader& r) { r.optionalBool("k"); }},
        {R"({"k": 1.5})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": 2.5e0})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": 9.3e18})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": -1.0e19})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": 4294967296.0})", [](ObjectReader& r) { r.optionalUInt32("k"); }},
        {R"({"k": -1.0})", [](ObjectReader& r) { r.optionalUInt32("k"); }},
        {R"({"k": -1})", [](ObjectReader& r) { r.optionalUInt32("k"); }},
        {R"({"k": 4294967296})", [](ObjectReader& r) { r.optionalUInt32("k"); }},
        {R"({"k": 9223372036854775808})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": "1"})", [](ObjectReader& r) { r.optionalInt64("k"); }},
        {R"({"k": ["a", 1]})", [](ObjectReader& r) { r.optionalStringArray("k"); }},
        {R"({"k": {"a": 1}})", [](ObjectReader& r) { r.optionalStringMap("k"); }},
        {R"({"k": "x"})", [](ObjectReader& r) { r.optionalStringArray("k"); }},
    };
    for (const auto& c : cases) {
        auto value = parsed(c.json);
        ObjectReader reader(value);
        c.read(reader);
        EXPECT_FALSE(reader.ok()) << c.json;
    }
}

TEST(ObjectReaderTypes, ReadsValuesAtTheEdgesOfTheirRanges) {
    auto value =
        parsed(R"({"u": 4294967295, "i": -9223372036854775808, "d": 3, "s": ["a"], "m": {"x": "y"}})");
    ObjectReader reader(value);
    EXPECT_EQ(reader.optionalUInt32("u"), 4294967295u);
    EXPECT_EQ(reader.optionalInt64("i"), INT64_MIN);
    EXPECT_EQ(reader.optionalDouble("d"), 3.0);
    EXPECT_EQ(reader.optionalStringArray("s"), std::vector<std::string>{"a"});
    EXPECT_EQ(reader.optionalStringMap("m")->at("x"), "y");
    EXPECT_TRUE(reader.ok());
}

TEST(ObjectReaderTypes, ReadsWholeNumbersWrittenWithAFractionOrExponentAsIntegers) {
    auto value = parsed(R"({"a": 20.0, "b": 2e1, "c": -0.0, "d": -4.0e3, "u": 4294967295.0, "l": 9.2e18})");
    ObjectReader reader(value);
    EXPECT_EQ(reader.optionalInt64("a"), 20);
    EXPECT_EQ(reader.optionalInt64("b"), 20);
    EXPECT_EQ(reader.optionalInt64("c"), 0);
    EXPECT_EQ(reader.optionalInt64("d"), -4000);
    EXPECT_EQ(reader.optionalUInt32("u"), 4294967295u);
    EXPECT_EQ(reader.optionalInt64("l"), 9200000000000000000);
    EXPECT_TRUE(reader.ok());
}

TEST(ObjectReaderRecords, AFailedNestedRecordFailsTheOuterOne) {
    auto value = parsed(R"({"list": [{"a": "x"}, {"a": 2}]})");
    ObjectReader reader(value);
    auto list = reader.optionalArray("list", [](const nlohmann::json& element) -> std::optional<std::string> {
        ObjectReader inner(element);
        auto a = inner.requiredString("a");
        if (!inner.ok())
            return std::nullopt;
        return a;
    });
    EXPECT_FALSE(list);
    EXPECT_FALSE(reader.ok());
}

TEST(ObjectReaderRecords, ANonObjectFailsAtOnce) {
    auto value = parsed("[1, 2]");
    ObjectReader reader(value);
    EXPECT_FALSE(reader.ok());
}
