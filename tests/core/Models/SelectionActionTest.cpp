#include "core/Models/SelectionAction.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(SelectionActionKinds, ReadStoredNamesExactly) {
    EXPECT_EQ(SelectionAction::kindNamed("askAI"), SelectionAction::Kind::askAI);
    EXPECT_EQ(SelectionAction::kindNamed("AskAI"), std::nullopt);
    for (auto kind : SelectionAction::allKinds)
        EXPECT_EQ(SelectionAction::kindNamed(SelectionAction::rawValue(kind)), kind);
}

TEST(SelectionActionTable, PutsTheFourteenDefaultsFirstAndLeavesTheQRCodeOff) {
    const auto& actions = SelectionAction::builtins();
    ASSERT_EQ(actions.size(), 15u);
    for (std::size_t i = 0; i < 14; ++i)
        EXPECT_TRUE(actions[i].isEnabledByDefault) << actions[i].id();
    EXPECT_EQ(actions[14].id(), "qrCode");
    EXPECT_FALSE(actions[14].isEnabledByDefault);
    EXPECT_EQ(actions[4].id(), "askAI");
    EXPECT_EQ(actions[4].glyphText, "AI");
    EXPECT_EQ(actions[4].localizedTitle(), "问 AI");
}

TEST(SelectionActionTable, NamedBuiltinsTakeTheFirstPlaceOfTheirIdAndSkipUnknownOnes) {
    std::vector<std::string> ids;
    for (const SelectionAction& action :
         SelectionAction::builtinsNamedIn({"qrCode", "nonsense", "search", "qrCode"}))
        ids.emplace_back(action.id());
    EXPECT_EQ(ids, (std::vector<std::string>{"qrCode", "search"}));
    EXPECT_TRUE(SelectionAction::builtinsNamedIn({}).empty());
}
