#include "core/Models/ActionRule.h"

#include "core/Support/StrictJson.h"
#include "tests/core/Models/ModelsTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace ondravell;
using namespace ondravell::test;
using C = ActionCondition;

TEST(ActionRuleEmptiness, AListOfEmptyExtensionsIsNotEmptyButNarrowsNothing) {
    EXPECT_TRUE(ActionRule{}.isEmpty());
    ActionRule blanks;
    blanks.fileExtensions = {""};
    EXPECT_FALSE(blanks.isEmpty());
    EXPECT_EQ(blanks.asCondition(), C::always());
}

TEST(ActionRuleCondition, ListsItsPartsInOrder) {
    ActionRule rule{
        ActionRule::TargetKind::filesOnly, 1, 4, {"PNG", "", "Jpg"}, ActionRule::ContainerScope::blankOnly};
    EXPECT_EQ(rule.asCondition(), C::all({C::onlyFiles(), C::minSelection(1), C::maxSelection(4),
                                          C::allExtensionsIn({"png", "jpg"}), C::onlyOnContainer()}));
}

TEST(ActionRuleCondition, AnExtensionWithItsPointNeverMatches) {
    ActionRule rule;
    rule.fileExtensions = {".txt"};
    EXPECT_FALSE(rule.asCondition().evaluate(selection({file("/a.txt")})));
    rule.fileExtensions = {" txt"};
    EXPECT_FALSE(rule.asCondition().evaluate(selection({file("/a.txt")})));
}

TEST(ActionRuleJSON, LeavesOutAbsentBoundsAndReadsMissingKeysAsDefaults) {
    ActionRule rule;
    rule.maxSelection = 3;
    auto json = rule.toJSON();
    EXPECT_FALSE(json.contains("minSelection"));
    EXPECT_EQ(json["maxSelection"], 3);
    EXPECT_EQ(json["appliesTo"], "any");
    EXPECT_EQ(ActionRule::fromJSON(json), rule);
    EXPECT_EQ(ActionRule::fromJSON(nlohmann::json::object()), ActionRule{});
    auto full = ActionRule{
        ActionRule::TargetKind::foldersOnly, -1, 9, {"a"}, ActionRule::ContainerScope::foldersOnly};
    EXPECT_EQ(ActionRule::fromJSON(full.toJSON()), full);
}

TEST(ActionRuleJSON, FailsOnUnknownEnumerationTextsAndWrongTypes) {
    for (const char* text :
         {R"({"appliesTo":"files"})", R"({"containerScope":"Both"})", R"({"minSelection":"2"})",
          R"({"fileExtensions":"png"})", R"({"maxSelection":1.5})"})
        EXPECT_FALSE(ActionRule::fromJSON(*StrictJson::parse(text))) << text;
}
