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
        // A separator would put the new file in another folder.
        {"逃", "../../evil", false, "", ""},
        {"逃", "a/b", false, "", ""},
        {"逃", "a\\b", false, "", ""},
    };
    EditorWorld world;
    for (const Case& c : cases) {
        TemplateEditorModel editor(std::nullopt, world.services());
        editor.name = c.name;
        editor.ext = c.ext;
        editor.content = "  {name}\n";
        EXPECT_EQ(editor.canCommit(), c.canCommit) << c.name << " " << c.ext;
        const bool separated = c.ext.find_first_of("/\\") != std::string::npos;
        EXPECT_EQ(editor.extensionError(),
                  separated ? std::optional<std::string>("扩展名不能含 / 或 \\") : std::nullopt)
            << c.ext;
        if (!c.canCommit)
            continue;
        std::optional<FileTemplate> made = editor.commit();
        ASSERT_TRUE(made);
        EXPECT_EQ(made->displayNameKey, c.storedName);
        EXPECT_EQ(made->fileExtension, c.storedExt);
        EXPECT_EQ(made->content, "  {name}\n");
        EXPECT_EQ(made->iconSymbol, "doc");
        EXPECT_FALSE(made->isExecutable || made->isBinaryBase64 || made->customIconFilename);
        EXPECT_TRUE(
            std::regex_match(made->id, std::regex("custom\\.[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}")))
            << made->id;
    }
}

TEST_F(TemplatesModelTest, EditorStoresNewPicturesUnderNewNamesAndRemovesReplacedOnes) {
    ASSERT_TRUE(icons.save("old", "OLD.png"));
    FileTemplate edited = custom("custom.A", "甲", "OLD.png");
    edited.isExecutable = true;
    store.saveCustom({edited});
    TemplatesModel model;
    model.load();
    EditorWorld world;

    // Only the name changes: the old file and its name stay.
    TemplateEditorModel rename(edited, world.services());
    EXPECT_EQ(rename.customIconData(), std::optional<std::string>("old"));
    rename.name = "乙";
    FileTemplate renamed = *rename.commit();
    EXPECT_EQ(renamed.id, "custom.A");
    EXPECT_EQ(renamed.customIconFilename, std::optional<std::string>("OLD.png"));
    EXPECT_FALSE(renamed.isExecutable);
    EXPECT_TRUE(model.save(renamed));
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
    FileTemplate replaced = *replace.commit();
    ASSERT_TRUE(replaced.customIconFilename);
    EXPECT_NE(*replaced.customIconFilename, "OLD.png");
    EXPECT_EQ(fileBytes(*icons.iconURL(*replaced.customIconFilename)),
              std::optional<std::string>("PNG:jpeg bytes"));
    EXPECT_TRUE(std::filesystem::exists(*icons.iconURL("OLD.png"))) << "the stored list still names it";
    EXPECT_TRUE(model.save(replaced));
    EXPECT_FALSE(std::filesystem::exists(*icons.iconURL("OLD.png")));

    // A symbol picked after an upload discards the picture; nothing was written before the commit.
    TemplateEditorModel pick(std::nullopt, world.services());
    pick.useIconFile(picture);
    pick.chooseSymbol("leaf");
    EXPECT_TRUE(pick.isSelected("leaf"));
    FileTemplate picked = *pick.commit();
    EXPECT_EQ(picked.iconSymbol, "leaf");
    EXPECT_EQ(picked.customIconFilename, std::nullopt);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(*icons.directory),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST_F(TemplatesModelTest, AFailedSaveLeavesTheListAndTheIconFilesAsTheyWere) {
    enum class Step { remove, replacePicture, addWithPicture, removeSharedIcon };
    // The folder that refuses writes.
    enum class ReadOnly { none, list, icons };
    struct Case {
        const char* what;
        Step step;
        ReadOnly readOnly;
        std::optional<std::string> editorMessage;
        std::vector<bool> reportedSaves;
    };
    const std::vector<Case> cases{
        {"delete, list not written", Step::remove, ReadOnly::list, std::nullopt, {false}},
        {"new picture, list not written",
         Step::replacePicture,
         ReadOnly::list,
         "无法保存模板，模板未改动",
         {false}},
        {"new template with a picture, list not written",
         Step::addWithPicture,
         ReadOnly::list,
         "无法保存模板，模板未改动",
         {false}},
        {"new picture not written", Step::replacePicture, ReadOnly::icons, "无法保存该图标，模板未改动", {}},
        // Saved, but another template still names the icon: the file stays.
        {"delete of one of two templates sharing an icon",
         Step::removeSharedIcon,
         ReadOnly::none,
         std::nullopt,
         {true}},
    };
    const std::filesystem::path picture = writeFile(container.root / "p.jpg", "jpeg bytes");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(*icons.directory);
        ASSERT_TRUE(icons.save("old", "OLD.png"));
        std::vector<FileTemplate> list{custom("custom.A", "甲", "OLD.png")};
        if (c.step == Step::removeSharedIcon)
            list.push_back(custom("custom.B", "乙", "OLD.png"));
        ASSERT_TRUE(store.saveCustom(list));
        const std::optional<std::string> listBytes = fileBytes(*store.fileURL());
        TemplatesModel model;
        std::vector<bool> saves;
        model.setSaveObserver([&](bool saved) { saves.push_back(saved); });
        model.load();
        EditorWorld world;
        TemplateEditorModel editor(c.step == Step::addWithPicture ? std::nullopt : std::optional(list[0]),
                                   world.services());
        editor.name = "丙";
        editor.ext = "conf";
        editor.useIconFile(picture);
        {
            std::optional<ReadOnlySettingsFolder> readOnly;
            if (c.readOnly != ReadOnly::none)
                readOnly.emplace(c.readOnly == ReadOnly::icons ? *icons.directory
                                                               : store.fileURL()->parent_path());
            switch (c.step) {
            case Step::remove:
                model.remove(list[0]);
                break;
            case Step::removeSharedIcon:
                model.remove(list[1]);
                break;
            case Step::replacePicture:
            case Step::addWithPicture:
                EXPECT_FALSE(editor.commitTo([&](const FileTemplate& made) { return model.save(made); }));
                break;
            }
        }
        EXPECT_EQ(editor.saveError(), c.editorMessage);
        EXPECT_EQ(saves, c.reportedSaves);
        std::vector<std::string> iconFiles;
        for (const auto& entry : std::filesystem::directory_iterator(*icons.directory))
            iconFiles.push_back(entry.path().filename().string());
        EXPECT_EQ(iconFiles, std::vector<std::string>{"OLD.png"});
        if (c.step == Step::removeSharedIcon) {
            EXPECT_EQ(ids(model.custom()), std::vector<std::string>{"custom.A"});
            continue;
        }
        EXPECT_EQ(fileBytes(*store.fileURL()), listBytes);
        EXPECT_EQ(model.custom(), list);
    }
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
