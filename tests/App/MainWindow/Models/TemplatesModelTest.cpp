#include "App/MainWindow/Models/TemplatesModel.h"

#include "App/MainWindow/Models/TemplateEditorModel.h"
#include "core/FileOps/TemplateIconStore.h"
#include "platform/memory/MemoryFileDialog.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <nlohmann/json.hpp>
#include <regex>

using namespace ondravell;
using namespace ondravell::test;

namespace {

class TemplatesModelTest : public SettingsFileTest {
protected:
    TemplateStore store{TemplateStore::appGroupID};
    TemplateIconStore icons{TemplateStore::appGroupID};

    static FileTemplate custom(const std::string& id, const std::string& name,
                               std::optional<std::string> icon = std::nullopt) {
        FileTemplate entry{id, name, "conf", "", false, "gearshape", false, std::move(icon)};
        return entry;
    }
    static std::vector<std::string> ids(const std::vector<FileTemplate>& templates) {
        std::vector<std::string> result;
        for (const FileTemplate& entry : templates)
            result.push_back(entry.id);
        return result;
    }
    static nlohmann::json othersThan(const OndravellSettings& settings, const char* field) {
        nlohmann::json json = settings.toJSON();
        json.erase(field);
        return json;
    }
};

// An editor whose decoder turns any bytes into "PNG:" and them, or refuses bytes starting "bad".
struct EditorWorld {
    platform::MemoryFileDialog dialog;
    std::vector<std::string> decoded;
    TemplateEditorModel::Services services() {
        return {dialog,
                [this](const std::string& bytes) -> TemplateEditorModel::IconDecoding {
                    decoded.push_back(bytes);
                    if (bytes.starts_with("bad"))
                        return {std::nullopt, "无法读取该图片"};
                    return {"PNG:" + bytes, {}};
                },
                {"*.png"}};
    }
};

std::filesystem::path writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST_F(TemplatesModelTest, ListsBuiltinsThenUserTemplatesInTheStoredOrder) {
    TemplatesModel fresh;
    fresh.load();
    EXPECT_EQ(ids(fresh.ordered()), ids(FileTemplate::builtins()));
    EXPECT_TRUE(std::ranges::all_of(fresh.ordered(), [&](const auto& t) { return fresh.isShown(t.id); }));
    EXPECT_FALSE(fresh.isCustom("txt"));

    store.saveCustom({custom("custom.A", "甲"), custom("custom.B", "乙")});
    writeSettings(
        R"({"newFileTemplateOrder": ["custom.B", "gone", "md"], "newFileDisabledTemplateIDs": ["md"]})");
    TemplatesModel model;
    model.load();
    std::vector<std::string> shown = ids(model.ordered());
    ASSERT_EQ(shown.size(), 21u);
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 3),
              (std::vector<std::string>{"custom.B", "md", "txt"}));
    EXPECT_EQ(shown.back(), "custom.A");
    EXPECT_FALSE(model.isShown("md"));
    EXPECT_TRUE(model.isCustom("custom.A"));
}

TEST_F(TemplatesModelTest, SwitchesAndMovesEachWriteOnlyTheirOwnField) {
    store.saveCustom({custom("custom.A", "甲")});
    writeSettings(R"({"maxCopyFileSizeMB": 33, "newFileDisabledTemplateIDs": ["gone"]})");
    const std::string before = *settingsBytes();
    TemplatesModel model;
    model.load();
    EXPECT_EQ(settingsBytes(), before) << "loading writes nothing";

    OndravellSettings previous = stored();
    model.setShown("json", false);
    EXPECT_EQ(stored().newFileDisabledTemplateIDs, (std::vector<std::string>{"gone", "json"}));
    EXPECT_EQ(othersThan(stored(), "newFileDisabledTemplateIDs"),
              othersThan(previous, "newFileDisabledTemplateIDs"));
    model.setShown("json", true);
    EXPECT_EQ(stored().newFileDisabledTemplateIDs, std::vector<std::string>{"gone"});

    previous = stored();
    model.moveRow(0, -1); // out of the list: nothing moves, nothing is written
    EXPECT_EQ(stored().newFileTemplateOrder, std::vector<std::string>{});
    model.moveRow(0, 1); // "下移" on the first row puts it below the second
    std::vector<std::string> expected = ids(model.ordered());
    EXPECT_EQ(expected[0], "md");
    EXPECT_EQ(expected[1], "txt");
    EXPECT_EQ(expected.back(), "custom.A");
    EXPECT_EQ(stored().newFileTemplateOrder, expected);
    EXPECT_EQ(othersThan(stored(), "newFileTemplateOrder"), othersThan(previous, "newFileTemplateOrder"));
    model.moveRows({19}, 0);
    EXPECT_EQ(stored().newFileTemplateOrder.front(), "custom.A");
}

TEST_F(TemplatesModelTest, EditsKeepTheirPlaceAndDeletesTakeTheIconAlongButNotTheSettings) {
    ASSERT_TRUE(icons.save("png", "I.png"));
    store.saveCustom({custom("custom.A", "甲", "I.png"), custom("custom.B", "乙")});
    writeSettings(
        R"({"newFileTemplateOrder": ["custom.A", "txt"], "newFileDisabledTemplateIDs": ["custom.A"]})");
    TemplatesModel model;
    model.load();

    model.save(custom("custom.A", "改名", "I.png"));
    EXPECT_EQ(ids(store.loadCustom()), (std::vector<std::string>{"custom.A", "custom.B"}));
    EXPECT_EQ(model.ordered().front().displayNameKey, "改名");
    model.save(custom("custom.C", "丙"));
    EXPECT_EQ(model.ordered().back().id, "custom.C");
    EXPECT_TRUE(model.isShown("custom.C"));

    const std::string settings = *settingsBytes();
    model.remove(model.ordered().front());
    EXPECT_FALSE(std::filesystem::exists(*icons.iconURL("I.png")));
    EXPECT_EQ(ids(store.loadCustom()), (std::vector<std::string>{"custom.B", "custom.C"}));
    EXPECT_EQ(model.ordered().front().id, "txt");
    EXPECT_EQ(settingsBytes(), settings);
}

TEST_F(TemplatesModelTest, EditorTrimsNameAndExtensionAndMakesCustomIDs) {
    struct Case {
        std::string name, ext;
        bool canCommit;
        std::string storedName, storedExt;
    };
    const std::vector<Case> cases{
        {" \t配置\u3000", " .conf ", true, "配置", "conf"},
        {"点", ".", true, "点", ""},
        {"  ", "conf", false, "", ""},
        {"名", " \t", false, "", ""},
        {"多行\n", "..a.b..", true, "多行\n", "a.b"},
    };
    EditorWorld world;
    for (const Case& c : cases) {
        TemplateEditorModel editor(std::nullopt, world.services());
        editor.name = c.name;
        editor.ext = c.ext;
        editor.content = "  {name}\n";
        EXPECT_EQ(editor.canCommit(), c.canCommit) << c.name;
        if (!c.canCommit)
            continue;
        FileTemplate made = editor.commit();
        EXPECT_EQ(made.displayNameKey, c.storedName);
        EXPECT_EQ(made.fileExtension, c.storedExt);
        EXPECT_EQ(made.content, "  {name}\n");
        EXPECT_EQ(made.iconSymbol, "doc");
        EXPECT_FALSE(made.isExecutable || made.isBinaryBase64 || made.customIconFilename);
        EXPECT_TRUE(
            std::regex_match(made.id, std::regex("custom\\.[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}")))
            << made.id;
    }
}

TEST_F(TemplatesModelTest, EditorStoresNewPicturesUnderNewNamesAndRemovesReplacedOnes) {
    ASSERT_TRUE(icons.save("old", "OLD.png"));
    FileTemplate edited = custom("custom.A", "甲", "OLD.png");
    edited.isExecutable = true;
    EditorWorld world;

    // Only the name changes: the old file and its name stay.
    TemplateEditorModel rename(edited, world.services());
    EXPECT_EQ(rename.customIconData(), std::optional<std::string>("old"));
    rename.name = "乙";
    FileTemplate renamed = rename.commit();
    EXPECT_EQ(renamed.id, "custom.A");
    EXPECT_EQ(renamed.customIconFilename, std::optional<std::string>("OLD.png"));
    EXPECT_FALSE(renamed.isExecutable);
    EXPECT_TRUE(std::filesystem::exists(*icons.iconURL("OLD.png")));

    // A new picture replaces the old file.
    std::filesystem::path picture = writeFile(container.root / "p.jpg", "jpeg bytes");
    world.dialog.answer(std::nullopt);
    world.dialog.answer(picture);
    TemplateEditorModel replace(edited, world.services());
    replace.uploadIcon(); // cancelled
    EXPECT_EQ(replace.customIconData(), std::optional<std::string>("old"));
    replace.uploadIcon();
    EXPECT_EQ(world.dialog.requests().back().nameFilters, std::vector<std::string>{"*.png"});
    EXPECT_EQ(replace.customIconData(), std::optional<std::string>("PNG:jpeg bytes"));
    FileTemplate replaced = replace.commit();
    ASSERT_TRUE(replaced.customIconFilename);
    EXPECT_NE(*replaced.customIconFilename, "OLD.png");
    EXPECT_EQ(fileBytes(*icons.iconURL(*replaced.customIconFilename)),
              std::optional<std::string>("PNG:jpeg bytes"));
    EXPECT_FALSE(std::filesystem::exists(*icons.iconURL("OLD.png")));

    // A symbol picked after an upload discards the picture; nothing was written before the commit.
    TemplateEditorModel pick(std::nullopt, world.services());
    pick.useIconFile(picture);
    pick.chooseSymbol("leaf");
    EXPECT_TRUE(pick.isSelected("leaf"));
    FileTemplate picked = pick.commit();
    EXPECT_EQ(picked.iconSymbol, "leaf");
    EXPECT_EQ(picked.customIconFilename, std::nullopt);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(*icons.directory),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST_F(TemplatesModelTest, EditorRefusesLargeOrUndecodableFilesBeforeTouchingTheIcon) {
    EditorWorld world;
    const std::string limit(TemplateIconStore::maxUploadBytes, 'x');
    const std::filesystem::path exact = writeFile(container.root / "exact.png", limit);
    const std::filesystem::path over = writeFile(container.root / "over.png", limit + "x");
    const std::filesystem::path bad = writeFile(container.root / "bad.png", "bad bytes");

    TemplateEditorModel editor(std::nullopt, world.services());
    editor.useIconFile(over);
    EXPECT_EQ(editor.iconError(), std::optional<std::string>("图片超过 2 MB，请换更小的"));
    EXPECT_TRUE(world.decoded.empty()) << "a file over the limit is never decoded";
    editor.useIconFile(container.root / "missing.png");
    EXPECT_EQ(editor.iconError(), std::optional<std::string>("无法读取该图片"));
    editor.useIconFile(bad);
    EXPECT_EQ(editor.iconError(), std::optional<std::string>("无法读取该图片"));
    editor.chooseSymbol("bolt"); // the message stays until the next chosen file
    EXPECT_TRUE(editor.iconError());
    EXPECT_FALSE(editor.customIconData());
    editor.useIconFile(exact);
    EXPECT_FALSE(editor.iconError());
    EXPECT_TRUE(editor.customIconData());
    EXPECT_FALSE(editor.isSelected("bolt"));
}
