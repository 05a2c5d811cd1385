#include "core/Models/OndravellAction.h"

#include "core/Models/MenuBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace ondravell;

TEST(OndravellActionTable, HoldsTheEighteenActionsWithFourteenOnByDefault) {
    const auto& actions = OndravellAction::builtins();
    ASSERT_EQ(actions.size(), 18u);
    EXPECT_EQ(actions.front().id, "copy.path");
    EXPECT_EQ(actions.back().id, "show.hidden");
    std::vector<std::string> enabled;
    for (const auto& action : actions)
        if (action.isEnabledByDefault)
            enabled.push_back(action.id);
    EXPECT_EQ(enabled,
              (std::vector<std::string>{"copy.path", "copy.file", "cut.file", "paste.here", "new.file",
                                        "new.folder", "open.terminal", "open.editor", "hash", "copy.metadata",
                                        "copy.to", "move.to", "make.symlink", "show.hidden"}));
    EXPECT_EQ(MenuBuilder::defaultEnabledIDs(actions).size(), 14u);
    EXPECT_TRUE(std::all_of(actions.begin(), actions.end(), [](const auto& a) { return a.isImplemented; }));
    EXPECT_EQ(std::count_if(actions.begin(), actions.end(), [](const auto& a) { return a.isDangerous; }), 1);
    EXPECT_EQ(actions[4].localizedTitle(), "彻底删除");
}

TEST(OndravellActionIdentity, ActionsWithTheSameIdAreEqual) {
    OndravellAction copy = OndravellAction::builtins()[0];
    copy.titleKey = "别的";
    EXPECT_EQ(copy, OndravellAction::builtins()[0]);
    EXPECT_EQ(OndravellAction::categoryNamed("custom"), OndravellAction::Category::custom);
    EXPECT_EQ(OndravellAction::categoryNamed("File"), std::nullopt);
}
