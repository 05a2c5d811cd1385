#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

namespace ondravell::test {
namespace {

using Titles = std::vector<std::string>;

class MenuBuilding : public ExtensionTest {
protected:
    void SetUp() override { installStubActions(); }
};

TEST_F(MenuBuilding, SidebarAndToolbarKindsGiveAnEmptyMenuWhateverTheSettings) {
    select({makeFile("a.txt")});
    EXPECT_TRUE(extension().menu(MenuKind::contextualMenuForSidebar).empty());
    EXPECT_TRUE(extension().menu(MenuKind::toolbarItemMenu).empty());
    EXPECT_FALSE(extension().menu(MenuKind::contextualMenuForItems).empty());
}

TEST_F(MenuBuilding, MissingSettingsFileShowsTheDefaultActionsThatApplyToAFile) {
    select({makeFile("a.txt")});
    Menu menu = extension().menu(MenuKind::contextualMenuForItems);
    EXPECT_EQ(menu.title, "Ondravell");
    EXPECT_EQ(titles(menu),
              (Titles{"复制路径", "复制", "剪切", "新建文件", "新建文件夹", "在终端打开", "在编辑器打开",
                      "计算哈希", "复制元数据", "复制到", "移动到", "创建符号链接", "显示/隐藏隐藏文件"}));
}

TEST_F(MenuBuilding, SettingsFileWithoutEnabledActionsGivesAnEmptyMenu) {
    writeSettings("{}");
    select({makeFile("a.txt")});
    EXPECT_TRUE(extension().menu(MenuKind::contextualMenuForItems).empty());
}

TEST_F(MenuBuilding, FollowsTheOrderOfTheEnabledList) {
    writeSettings(R"({"enabledActionIDs": ["hash", "copy.path"]})");
    select({makeFile("a.txt")});
    EXPECT_EQ(titles(extension().menu(MenuKind::contextualMenuForItems)), (Titles{"计算哈希", "复制路径"}));
}

TEST_F(MenuBuilding, DuplicateIdsInTheEnabledListCountAtTheirFirstPosition) {
    EXPECT_EQ(FinderSyncExtension::orderedBuiltins({"hash", "copy.path", "hash"})[0].id, "hash");
    EXPECT_EQ(FinderSyncExtension::orderedBuiltins({})[0].id, "copy.path");
}

TEST_F(MenuBuilding, ActionsMissingFromTheEnabledListAreHidden) {
    writeSettings(R"({"enabledActionIDs": ["copy.file"]})");
    select({makeFile("a.txt")});
    EXPECT_EQ(titles(extension().menu(MenuKind::contextualMenuForItems)), (Titles{"复制"}));
}

TEST_F(MenuBuilding, GroupStandsWhereItsFirstMemberWouldAndCollectsLaterMembers) {
    writeSettings(R"({"enabledActionIDs": ["copy.path", "copy.file", "cut.file"],
                      "actionGroupAssignment": {"copy.path": "常用", "cut.file": "常用"}})");
    select({makeFile("a.txt")});
    Menu menu = extension().menu(MenuKind::contextualMenuForItems);
    ASSERT_EQ(titles(menu), (Titles{"常用", "复制"}));
    ASSERT_TRUE(menu.items[0].submenu);
    EXPECT_EQ(titles(*menu.items[0].submenu), (Titles{"复制路径", "剪切"}));
    EXPECT_EQ(menu.items[0].image->symbolName, "folder");
    EXPECT_TRUE(menu.items[0].submenu->items[0].submenu) << "the copy-path item keeps its own submenu";
}

TEST_F(MenuBuilding, EmptyGroupNameLeavesTheActionAtTheTopLevel) {
    writeSettings(
        R"({"enabledActionIDs": ["copy.path", "copy.file"], "actionGroupAssignment": {"copy.file": ""}})");
    select({makeFile("a.txt")});
    EXPECT_EQ(titles(extension().menu(MenuKind::contextualMenuForItems)), (Titles{"复制路径", "复制"}));
}

TEST_F(MenuBuilding, NestingPutsGroupsAndItemsIntoOneOndravellSubmenu) {
    writeSettings(R"({"enabledActionIDs": ["copy.path", "copy.file", "cut.file"], "nestUnderOndravell": true,
                      "actionGroupAssignment": {"cut.file": "剪"}})");
    select({makeFile("a.txt")});
    Menu menu = extension().menu(MenuKind::contextualMenuForItems);
    ASSERT_EQ(titles(menu), (Titles{"Ondravell"}));
    EXPECT_EQ(menu.items[0].image->symbolName, "cursorarrow.click.2");
    ASSERT_TRUE(menu.items[0].submenu);
    EXPECT_EQ(titles(*menu.items[0].submenu), (Titles{"复制路径", "复制", "剪"}));
}

TEST_F(MenuBuilding, BackgroundClickServesContainerActions) {
    std::filesystem::path folder = makeFile("folder", true);
    clickInto(folder);
    MenuContext context = extension().currentContext();
    EXPECT_TRUE(context.isOnContainer());
    EXPECT_EQ(context.container(), folder);
    EXPECT_EQ(
        titles(extension().menu(MenuKind::contextualMenuForContainer)),
        (Titles{"粘贴到此处", "新建文件", "新建文件夹", "在终端打开", "在编辑器打开", "显示/隐藏隐藏文件"}));
}

TEST_F(MenuBuilding, ASelectedItemMakesTheContainerAbsent) {
    select({makeFile("a.txt")});
    MenuContext context = extension().currentContext();
    EXPECT_EQ(context.count(), 1u);
    EXPECT_FALSE(context.container().has_value());
}

TEST_F(MenuBuilding, ItemOfUnknownKindCountsAsAFile) {
    controller.setSelection({{"/nowhere/x", std::nullopt}}, std::nullopt);
    EXPECT_TRUE(extension().currentContext().allFiles());
}

TEST_F(MenuBuilding, ItemsCarryTheirSymbolDrawnForTheDesktopScheme) {
    writeSettings(R"({"enabledActionIDs": ["copy.file"]})");
    select({makeFile("a.txt")});
    appearance.setDarkMode(true);
    Menu menu = extension().menu(MenuKind::contextualMenuForItems);
    EXPECT_EQ(menu.items[0].image, (MenuImage{"doc.on.clipboard", true}));
    EXPECT_EQ(menu.items[0].command, (MenuCommand{"copy.file", ""}));
}

TEST_F(MenuBuilding, HashSubmenuOffersTheFiveAlgorithms) {
    Menu menu = FinderSyncExtension::hashSubmenu();
    EXPECT_EQ(titles(menu), (Titles{"MD5", "SHA-1", "SHA-256", "SHA-384", "SHA-512"}));
    EXPECT_EQ(menu.items[2].command, (MenuCommand{"hash", "sha256"}));
}

TEST_F(MenuBuilding, ChosenItemRunsItsHandlerWithTheCapturedSelection) {
    std::filesystem::path file = makeFile("a.txt");
    select({file});
    MenuContext captured = extension().currentContext();
    select({});
    extension().perform({"copy.file", ""}, captured);
    ASSERT_EQ(performed.size(), 1u);
    extension().perform({"no.such.action", ""}, captured);
    EXPECT_EQ(performed.size(), 1u);
}

using MenuBuildingWithEveryAction = ExtensionTest;

// With the actions the extension installs itself (no stubs), every default that applies to a file is
// offered; opening in a terminal or editor and copying metadata come with the host, which supplies
// their desktop services, and are checked in the module's own test.
TEST_F(MenuBuildingWithEveryAction, EveryDefaultActionThatAppliesToAFileIsOffered) {
    select({makeFile("a.txt")});
    EXPECT_EQ(titles(extension().menu(MenuKind::contextualMenuForItems)),
              (Titles{"复制路径", "复制", "剪切", "新建文件", "新建文件夹", "计算哈希", "复制到", "移动到",
                      "创建符号链接", "显示/隐藏隐藏文件"}));
}

} // namespace
} // namespace ondravell::test
