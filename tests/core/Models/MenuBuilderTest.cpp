#include "core/Models/MenuBuilder.h"

#include "tests/core/Models/ModelsTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace ondravell;
using namespace ondravell::test;

namespace {
std::set<std::string> allIDs() {
    std::set<std::string> ids;
    for (const auto& action : OndravellAction::builtins())
        ids.insert(action.id);
    return ids;
}

std::vector<std::string> visibleIDs(const MenuContext& context,
                                    const std::map<std::string, ActionRule>& rules = {},
                                    const std::set<std::string>& enabled = allIDs()) {
    std::vector<std::string> ids;
    for (const auto& action :
         MenuBuilder::visibleActions(context, OndravellAction::builtins(), enabled, rules))
        ids.push_back(action.id);
    return ids;
}

bool shows(const std::vector<std::string>& ids, const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}
} // namespace

TEST(MenuBuilderVisible, OnTheBackgroundShowsTheContainerActions) {
    EXPECT_EQ(visibleIDs(background()),
              (std::vector<std::string>{"paste.here", "new.file", "new.folder", "clipboard.to.file",
                                        "open.terminal", "open.editor", "show.hidden"}));
}

TEST(MenuBuilderVisible, OneFolderGetsPasteButNoFileActions) {
    auto ids = visibleIDs(selection({folder("/home/u/d")}));
    EXPECT_TRUE(shows(ids, "paste.here"));
    EXPECT_FALSE(shows(ids, "hash"));
    EXPECT_FALSE(shows(ids, "copy.content"));
    EXPECT_FALSE(shows(ids, "copy.base64"));
    EXPECT_FALSE(shows(visibleIDs(selection({folder("/d"), file("/f")})), "hash"));
}

TEST(MenuBuilderVisible, KeepsTheInputOrderAndOnlyEnabledActions) {
    std::vector<OndravellAction> reversed(OndravellAction::builtins().rbegin(),
                                          OndravellAction::builtins().rend());
    auto visible = MenuBuilder::visibleActions(selection({file("/a.txt")}), reversed,
                                               {"copy.path", "hash", "delete"}, {{"delete", ActionRule{}}});
    ASSERT_EQ(visible.size(), 3u);
    EXPECT_EQ(visible[0].id, "hash");
    EXPECT_EQ(visible[1].id, "delete");
    EXPECT_EQ(visible[2].id, "copy.path");
    EXPECT_TRUE(visibleIDs(selection({file("/a")}), {}, {}).empty());
}

TEST(MenuBuilderRules, AnExtensionRuleShowsMatchingFilesAndFoldersAlone) {
    ActionRule rule;
    rule.fileExtensions = {"PNG", "jpg"};
    std::map<std::string, ActionRule> rules{{"copy.path", rule}};
    EXPECT_TRUE(shows(visibleIDs(selection({file("/a.png"), file("/b.JPG")}), rules), "copy.path"));
    EXPECT_FALSE(shows(visibleIDs(selection({file("/c.gif")}), rules), "copy.path"));
    EXPECT_TRUE(shows(visibleIDs(selection({folder("/d")}), rules), "copy.path"));
}

TEST(MenuBuilderRules, ImpossibleRulesHideTheActionEverywhere) {
    ActionRule blankOnly;
    blankOnly.containerScope = ActionRule::ContainerScope::blankOnly;
    ActionRule crossed;
    crossed.minSelection = 2;
    crossed.maxSelection = 1;
    for (const auto& rule : {blankOnly, crossed}) {
        std::map<std::string, ActionRule> rules{{"copy.path", rule}};
        EXPECT_FALSE(shows(visibleIDs(background(), rules), "copy.path"));
        EXPECT_FALSE(shows(visibleIDs(selection({file("/a")}), rules), "copy.path"));
        EXPECT_FALSE(shows(visibleIDs(selection({file("/a"), file("/b")}), rules), "copy.path"));
    }
}
