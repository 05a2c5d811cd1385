#include "Extensions/FinderSync/NewFileActions.h"

#include "core/FileOps/TemplateStore.h"
#include "tests/Extensions/FinderSync/FileActionTestSupport.h"

namespace ondravell::test {
namespace {

using Titles = std::vector<std::string>;

class NewFile : public FileActionTest {
protected:
    void writeCustomTemplates(int count, const std::string& extension = "cfg") const {
        nlohmann::json templates = nlohmann::json::array();
        for (int i = 1; i <= count; ++i)
            templates.push_back({{"id", "c" + std::to_string(i)},
                                 {"displayNameKey", "Custom " + std::to_string(i)},
                                 {"fileExtension", extension},
                                 {"content", "{name}"}});
        std::filesystem::path file = container.path / TemplateStore::supportFolder / TemplateStore::fileName;
        std::filesystem::create_directories(file.parent_path());
        writeFile(file, templates.dump());
    }
    Menu submenu() {
        Menu menu = extension().menu(extension().currentContext().items().empty()
                                         ? MenuKind::contextualMenuForContainer
                                         : MenuKind::contextualMenuForItems);
        const MenuItem* item = nullptr;
        for (const MenuItem& candidate : menu.items)
            if (candidate.title == "新建文件")
                item = &candidate;
        EXPECT_NE(item, nullptr);
        return item && item->submenu ? *item->submenu : Menu{};
    }
    void choose(const Menu& menu, const std::string& title, const MenuContext& context) {
        for (const MenuItem& item : menu.items)
            if (item.title == title && item.command) {
                extension().perform(*item.command, context);
                return;
            }
        ADD_FAILURE() << "no item " << title;
    }
};

TEST_F(NewFile, TextTemplateTakesTheNextFreeNameAndTheToastNamesIt) {
    std::filesystem::path target = folder("target");
    writeFile(target / "未命名.txt", "");
    writeFile(target / "未命名 2.txt", "");
    clickInto(target);
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    choose(submenu(), "文本文件 (.txt)", extension().currentContext());
    EXPECT_TRUE(std::filesystem::is_regular_file(target / "未命名 3.txt"));
    EXPECT_EQ(toastMessage(), "已新建 未命名 3.txt");
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].kind, FileOperation::Kind::newFile);
    EXPECT_EQ(history()[0].items,
              (std::vector<FileOperationItem>{{std::nullopt, (target / "未命名 3.txt").string()}}));
}

TEST_F(NewFile, TargetIsTheFirstSelectedFolderEvenAfterAFile) {
    std::filesystem::path file = makeFile("top/a.txt");
    std::filesystem::path inner = folder("top/inner");
    select({file, inner});
    EXPECT_EQ(NewFileActions::targetDirectory(extension().currentContext()), inner);
    select({file});
    EXPECT_EQ(NewFileActions::targetDirectory(extension().currentContext()), file.parent_path());
}

TEST_F(NewFile, NewFolderTakesTheNextFreeName) {
    std::filesystem::path target = folder("target");
    std::filesystem::create_directory(target / "未命名文件夹");
    clickInto(target);
    run(NewFileActions::newFolderActionID);
    EXPECT_TRUE(std::filesystem::is_directory(target / "未命名文件夹 2"));
    EXPECT_EQ(toastMessage(), "已新建 未命名文件夹 2");
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].kind, FileOperation::Kind::newFile);
}

TEST_F(NewFile, SubmenuOffersThirtyTwoTemplatesThenTheSeparatorAndTheCustomTypeItem) {
    writeCustomTemplates(21);
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    clickInto(folder("target"));
    Titles shown = titles(submenu());
    ASSERT_EQ(shown.size(), 32u + 2u);
    EXPECT_EQ(shown[31], "Custom 13 (.cfg)");
    EXPECT_EQ(shown[32], "---");
    EXPECT_EQ(shown[33], "自定义文件类型…");
}

TEST_F(NewFile, TemplateWithoutExtensionHasNoParenthesisedExtension) {
    writeCustomTemplates(1, "");
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    clickInto(folder("target"));
    Titles shown = titles(submenu());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "Custom 1"), shown.end());
}

TEST_F(NewFile, NoEnabledTemplatesLeavesTheSeparatorAndTheCustomTypeItem) {
    nlohmann::json disabled = nlohmann::json::array();
    for (const FileTemplate& builtin : FileTemplate::builtins())
        disabled.push_back(builtin.id);
    writeSettings(
        nlohmann::json{{"enabledActionIDs", {"new.file"}}, {"newFileDisabledTemplateIDs", disabled}}.dump());
    clickInto(folder("target"));
    EXPECT_EQ(titles(submenu()), (Titles{"---", "自定义文件类型…"}));
}

TEST_F(NewFile, TemplateSwitchedOffAfterTheMenuWasBuiltCreatesNothing) {
    std::filesystem::path target = folder("target");
    clickInto(target);
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    MenuContext context = extension().currentContext();
    Menu menu = submenu();
    writeSettings(R"({"enabledActionIDs": ["new.file"], "newFileDisabledTemplateIDs": ["txt"]})");
    choose(menu, "文本文件 (.txt)", context);
    // The item that took its place (Markdown) is not run either.
    EXPECT_TRUE(std::filesystem::is_empty(target));
    EXPECT_FALSE(toastMessage().has_value());
    EXPECT_TRUE(history().empty());
}

TEST_F(NewFile, LaterItemStillCreatesFromItsOwnTemplateWhenAnEarlierOneWasSwitchedOff) {
    std::filesystem::path target = folder("target");
    clickInto(target);
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    MenuContext context = extension().currentContext();
    Menu menu = submenu();
    writeSettings(R"({"enabledActionIDs": ["new.file"], "newFileDisabledTemplateIDs": ["txt"]})");
    choose(menu, "Markdown (.md)", context);
    EXPECT_EQ(readFile(target / "未命名.md"), "# 未命名\n");
}

TEST_F(NewFile, UserTemplateSharingABuiltInIdCreatesItself) {
    std::filesystem::path target = folder("target");
    clickInto(target);
    std::filesystem::path file = container.path / TemplateStore::supportFolder / TemplateStore::fileName;
    std::filesystem::create_directories(file.parent_path());
    writeFile(file,
              R"([{"id": "txt", "displayNameKey": "My log", "fileExtension": "log", "content": "mine"}])");
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    Menu menu = submenu();
    choose(menu, "My log (.log)", extension().currentContext());
    EXPECT_EQ(readFile(target / "未命名.log"), "mine");
    choose(menu, "文本文件 (.txt)", extension().currentContext());
    EXPECT_TRUE(std::filesystem::is_regular_file(target / "未命名.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target), {}), 2);
}

TEST_F(NewFile, CustomTypeHandsTheFolderToTheApplication) {
    std::filesystem::path target = folder("target");
    clickInto(target);
    writeSettings(R"({"enabledActionIDs": ["new.file"]})");
    const MenuItem* item = findItem(submenu(), NewFileActions::customTypeActionID);
    ASSERT_NE(item, nullptr);
    extension().perform(*item->command, extension().currentContext());
    EXPECT_EQ(OndravellIPC::readPendingFile(OndravellIPC::pendingNewFileName), target.string());
    EXPECT_EQ(posted(), (std::vector<std::string>{std::string(OndravellIPC::newFile)}));
}

TEST_F(NewFile, CustomTypeWithoutContainerSendsNothing) {
    clickInto(folder("target"));
    container.makeUnavailable();
    run(NewFileActions::customTypeActionID);
    EXPECT_TRUE(posted().empty());
}

TEST_F(NewFile, UnwritableTargetCreatesNothingAndStaysSilent) {
    clickInto(container.root / "missing");
    run(NewFileActions::newFolderActionID);
    extension().perform({std::string(NewFileActions::templateActionID),
                         NewFileActions::TemplateBinding{false, 0, FileTemplate::builtins()[0].id}.encoded()},
                        extension().currentContext());
    EXPECT_FALSE(std::filesystem::exists(container.root / "missing"));
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(history().empty());
}

} // namespace
} // namespace ondravell::test
