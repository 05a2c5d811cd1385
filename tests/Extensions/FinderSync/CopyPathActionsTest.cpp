#include "Extensions/FinderSync/CopyPathActions.h"

#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

#include <nlohmann/json.hpp>

namespace ondravell::test {
namespace {

using Titles = std::vector<std::string>;

std::string templatesJSON(int count) {
    nlohmann::json templates = nlohmann::json::array();
    for (int i = 1; i <= count; ++i)
        templates.push_back({{"id", "t" + std::to_string(i)},
                             {"name", "T" + std::to_string(i)},
                             {"template", "{name}#" + std::to_string(i)}});
    return nlohmann::json{{"enabledActionIDs", {"copy.path"}}, {"customPathTemplates", templates}}.dump();
}

class CopyPath : public ExtensionTest {
protected:
    // The toast the application was asked to show, from the pending file.
    std::optional<std::string> toastMessage() const {
        std::optional<std::string> bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
        if (!bytes)
            return std::nullopt;
        return nlohmann::json::parse(*bytes).at("message").get<std::string>();
    }
    Menu copyPathSubmenu() {
        Menu menu = extension().menu(MenuKind::contextualMenuForItems);
        EXPECT_FALSE(menu.empty());
        return menu.empty() ? Menu{} : *menu.items.at(0).submenu;
    }
    // Chooses the item titled `title` of the copy-path submenu, as the user would.
    void choose(const Menu& submenu, const std::string& title, const MenuContext& context) {
        for (const MenuItem& item : submenu.items)
            if (item.title == title && item.command) {
                extension().perform(*item.command, context);
                return;
            }
        ADD_FAILURE() << "no item " << title;
    }
};

TEST_F(CopyPath, SubmenuShowsTheSevenFormatsAndNoSeparatorWithoutTemplates) {
    writeSettings(templatesJSON(0));
    select({makeFile("a.txt")});
    EXPECT_EQ(titles(copyPathSubmenu()), (Titles{"POSIX 路径", "相对路径", "file:// URL", "带引号路径",
                                                 "文件名", "文件名（无扩展名）", "父目录"}));
}

TEST_F(CopyPath, SubmenuOffersOnlyTheFirstEightOfTenTemplates) {
    writeSettings(templatesJSON(10));
    select({makeFile("a.txt")});
    Titles shown = titles(copyPathSubmenu());
    ASSERT_EQ(shown.size(), 7u + 1u + 8u);
    EXPECT_EQ(shown[7], "---");
    EXPECT_EQ(shown[8], "T1");
    EXPECT_EQ(shown.back(), "T8");
}

TEST_F(CopyPath, RelativeFormatOfTwoFilesIsRelativeToTheFirstFilesFolder) {
    std::filesystem::path first = makeFile("docs/a.txt");
    std::filesystem::path second = makeFile("other/b.txt");
    select({first, second});
    choose(copyPathSubmenu(), "相对路径", extension().currentContext());
    EXPECT_EQ(pasteboard.string(), "a.txt\n../other/b.txt");
    EXPECT_EQ(toastMessage(), "已复制 2 个路径");
    EXPECT_EQ(notificationCenter.postedNames(),
              (std::vector<std::string>{std::string(OndravellIPC::showToast)}));
}

TEST_F(CopyPath, OneFileGivesTheSingularToast) {
    std::filesystem::path file = makeFile("a.txt");
    select({file});
    choose(copyPathSubmenu(), "POSIX 路径", extension().currentContext());
    EXPECT_EQ(pasteboard.string(), file.string());
    EXPECT_EQ(toastMessage(), "已复制路径");
}

TEST_F(CopyPath, TemplateCopyRendersEveryItemAndAlwaysUsesTheSingularToast) {
    writeSettings(templatesJSON(1));
    select({makeFile("a.txt"), makeFile("b.md"), makeFile("c")});
    choose(copyPathSubmenu(), "T1", extension().currentContext());
    EXPECT_EQ(pasteboard.string(), "a.txt#1\nb.md#1\nc#1");
    EXPECT_EQ(toastMessage(), "已复制路径");
}

TEST_F(CopyPath, TemplateItemCopiesWithItsOwnTemplateAfterAnEarlierOneWasDeleted) {
    writeSettings(templatesJSON(2));
    select({makeFile("a.txt")});
    MenuContext context = extension().currentContext();
    Menu submenu = copyPathSubmenu();
    // The user deletes the first template while the menu is open.
    writeSettings(R"({"enabledActionIDs": ["copy.path"],
                      "customPathTemplates": [{"id": "t2", "name": "T2", "template": "{name}#2"}]})");
    choose(submenu, "T2", context);
    EXPECT_EQ(pasteboard.string(), "a.txt#2");
}

TEST_F(CopyPath, TemplateItemDoesNothingWhenItsTemplateWasDeleted) {
    writeSettings(templatesJSON(2));
    select({makeFile("a.txt")});
    MenuContext context = extension().currentContext();
    Menu submenu = copyPathSubmenu();
    pasteboard.placeFromOutside("before");
    writeSettings(R"({"enabledActionIDs": ["copy.path"],
                      "customPathTemplates": [{"id": "t2", "name": "T2", "template": "{name}#2"}]})");
    choose(submenu, "T1", context);
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_FALSE(toastMessage().has_value());
}

TEST_F(CopyPath, EmptyResultLeavesTheClipboardAndSendsNoToast) {
    writeSettings(R"({"enabledActionIDs": ["copy.path"],
                      "customPathTemplates": [{"id": "e", "name": "Empty", "template": ""}]})");
    select({makeFile("a.txt")});
    pasteboard.placeFromOutside("before");
    choose(copyPathSubmenu(), "Empty", extension().currentContext());
    EXPECT_EQ(pasteboard.string(), "before");
    EXPECT_TRUE(notificationCenter.postedNames().empty());
}

TEST_F(CopyPath, WithoutSelectedItemsNothingHappens) {
    clickInto(makeFile("folder", true));
    CopyPathActions::copyPath(extension(), PathFormat::posix, extension().currentContext());
    EXPECT_FALSE(pasteboard.string().has_value());
}

TEST_F(CopyPath, UnknownFormatArgumentDoesNothing) {
    select({makeFile("a.txt")});
    extension().perform({"copy.path", "bogus"}, extension().currentContext());
    EXPECT_FALSE(pasteboard.string().has_value());
}

} // namespace
} // namespace ondravell::test
