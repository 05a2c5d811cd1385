#include "App/MainWindow/Models/ConditionEditorModel.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {

const OndravellAction& builtin(const std::string& id) {
    for (const auto& action : OndravellAction::builtins())
        if (action.id == id)
            return action;
    throw std::runtime_error(id);
}

struct Reports {
    std::vector<ActionRule> rules;
    ConditionEditorModel editor(const std::string& id, ActionRule rule = {}) {
        return ConditionEditorModel(builtin(id), std::move(rule),
                                    [this](const ActionRule& r) { rules.push_back(r); });
    }
};

} // namespace

TEST(ConditionEditorModel, CountsStepBetweenUnboundedAndFifty) {
    Reports reports;
    auto editor = reports.editor("copy.path");
    EXPECT_EQ(ConditionEditorModel::countText(editor.rule().minSelection), "不限");
    editor.stepMinSelection(1);
    EXPECT_EQ(editor.rule().minSelection, 1);
    EXPECT_EQ(ConditionEditorModel::countText(editor.rule().minSelection), "1");
    editor.stepMinSelection(-1);
    EXPECT_EQ(editor.rule().minSelection, std::nullopt);
    editor.stepMinSelection(-1); // nothing below "不限"
    EXPECT_EQ(reports.rules.size(), 2u);

    struct Case {
        std::optional<std::int64_t> count;
        int delta;
        std::optional<std::int64_t> expected;
    };
    for (const Case& c : std::vector<Case>{
             {0, -1, 0}, {0, 1, 1}, {50, 1, 50}, {49, 1, 50}, {80, -1, 50}, {80, 1, 80}, {2, -1, 1}}) {
        EXPECT_EQ(ConditionEditorModel::stepped(c.count, c.delta), c.expected) << *c.count << " " << c.delta;
    }
}

TEST(ConditionEditorModel, ExtensionsAreNormalisedAndOnlyRealChangesReport) {
    Reports reports;
    auto editor = reports.editor("copy.path");
    editor.setExtensionsText("PNG，.JPG ,,  Tar.GZ");
    EXPECT_EQ(editor.rule().fileExtensions, (std::vector<std::string>{"png", "jpg", "tar.gz"}));
    EXPECT_EQ(editor.extensionsText(), "png, jpg, tar.gz");
    editor.setExtensionsText("PNG，.JPG ,,  Tar.GZ, "); // a trailing separator changes nothing
    EXPECT_EQ(reports.rules.size(), 1u);
    EXPECT_EQ(ConditionEditorModel::extensions("a\tb, Ä.,png,png"),
              (std::vector<std::string>{"a\tb", "ä", "png", "png"}));

    editor.setExtensionsText("");
    EXPECT_TRUE(reports.rules.back().isEmpty());
    EXPECT_FALSE(editor.canClear());
}

TEST(ConditionEditorModel, ContainerActionsChooseAPlaceAndClearResetsEverything) {
    Reports reports;
    ActionRule start;
    start.minSelection = 3; // kept though a container action's editor does not show it
    auto editor = reports.editor("new.file", start);
    editor.setContainerScope(ActionRule::ContainerScope::blankOnly);
    ASSERT_EQ(reports.rules.size(), 1u);
    EXPECT_EQ(reports.rules[0].containerScope, ActionRule::ContainerScope::blankOnly);
    EXPECT_EQ(reports.rules[0].minSelection, 3);
    EXPECT_TRUE(editor.canClear());
    editor.clear();
    EXPECT_TRUE(reports.rules.back().isEmpty());
    editor.clear();
    EXPECT_EQ(reports.rules.size(), 2u);
}
