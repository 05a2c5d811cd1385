#include "App/MainWindow/Models/FavoriteTargetsModel.h"
#include "App/MainWindow/Models/GeneralModel.h"
#include "App/MainWindow/Models/HotKeysModel.h"
#include "App/MainWindow/Models/KeyRecording.h"
#include "App/MainWindow/Models/PathTemplatesModel.h"
#include "platform/FinderExtensionStatus.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryLoginItem.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "platform/xdg/XdgAutostartLoginItem.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

#include <nlohmann/json.hpp>

using namespace ondravell;
using namespace ondravell::test;

namespace {

using SettingsSectionsTest = SettingsFileTest;

// Every field but `field` of the stored record, as JSON, to see that a section wrote only its own.
nlohmann::json othersThan(const OndravellSettings& settings, const char* field) {
    nlohmann::json json = settings.toJSON();
    json.erase(field);
    return json;
}

constexpr const char* seeded = R"({"maxCopyFileSizeMB": 33, "favoriteTargets": ["/a", "/b", "/a"],
    "customPathTemplates": [{"id": "X", "name": "n", "template": "{path}"}],
    "globalHotKeys": {"selection.other": {"keyCode": 1, "carbonModifiers": 256, "display": "⌘S"}}})";

} // namespace

TEST_F(SettingsSectionsTest, EachSectionWritesOnlyItsOwnField) {
    writeSettings(seeded);
    const OndravellSettings before = stored();

    platform::MemoryFileDialog dialog;
    dialog.answer(std::nullopt);
    dialog.answer(std::filesystem::path("/b"));
    dialog.answer(std::filesystem::path("/c"));
    FavoriteTargetsModel favorites(dialog);
    favorites.load();
    EXPECT_EQ(settingsBytes(), std::optional<std::string>(seeded)) << "loading writes nothing";
    favorites.add(); // cancelled
    favorites.add(); // already there
    EXPECT_EQ(settingsBytes(), std::optional<std::string>(seeded));
    favorites.add();
    favorites.remove("/a");
    EXPECT_EQ(stored().favoriteTargets, (std::vector<std::string>{"/b", "/c"}));
    EXPECT_EQ(dialog.requests().front().kind, platform::FileDialogRequest::Kind::openFolder);
    EXPECT_EQ(othersThan(stored(), "favoriteTargets"), othersThan(before, "favoriteTargets"));

    PathTemplatesModel templates;
    templates.load();
    templates.newName = " \t名\n ";
    templates.newTemplate = "\u3000{parent}/{name} ";
    ASSERT_TRUE(templates.canAdd());
    templates.add();
    EXPECT_TRUE(templates.newName.empty() && templates.newTemplate.empty());
    ASSERT_EQ(stored().customPathTemplates.size(), 2u);
    const PathTemplate added = stored().customPathTemplates.back();
    EXPECT_EQ(added.name, "名\n");
    EXPECT_EQ(added.pathTemplate, "{parent}/{name}");
    EXPECT_EQ(added.id.size(), 36u);
    templates.remove("X");
    EXPECT_EQ(stored().customPathTemplates, std::vector<PathTemplate>{added});

    int reloads = 0;
    HotKeysModel hotKeys([&] { ++reloads; });
    hotKeys.load();
    hotKeys.set("copy.path", HotKeySpec{0, 0x1000, "⌃A"});
    hotKeys.set("copy.path", std::nullopt);
    hotKeys.set("new.file", HotKeySpec{0x2D, 0x300, "⇧⌘N"});
    EXPECT_EQ(reloads, 3);
    const std::map<std::string, HotKeySpec> expected{{"new.file", {0x2D, 0x300, "⇧⌘N"}},
                                                     {"selection.other", {1, 256, "⌘S"}}};
    EXPECT_EQ(stored().globalHotKeys, expected) << "cleared ids leave no entry; unknown ids survive";
    EXPECT_EQ(othersThan(stored(), "globalHotKeys"), othersThan(SettingsService().load(), "globalHotKeys"));
    EXPECT_EQ(stored().maxCopyFileSizeMB, 33);
}

TEST_F(SettingsSectionsTest, LimitsDisableAddingButLongerListsAreKept) {
    nlohmann::json json = nlohmann::json::object();
    for (int i = 0; i < 9; ++i) {
        json["favoriteTargets"].push_back("/f" + std::to_string(i));
        json["customPathTemplates"].push_back({{"id", std::to_string(i)}, {"name", "n"}, {"template", "t"}});
    }
    writeSettings(json.dump());
    platform::MemoryFileDialog dialog;
    FavoriteTargetsModel favorites(dialog);
    PathTemplatesModel templates;
    favorites.load();
    templates.load();
    templates.newName = "n";
    templates.newTemplate = "t";
    EXPECT_FALSE(favorites.canAdd());
    EXPECT_FALSE(templates.canAdd());
    favorites.remove("/f0");
    templates.remove("0");
    EXPECT_FALSE(favorites.canAdd());
    EXPECT_FALSE(templates.canAdd());
    favorites.remove("/f1");
    templates.remove("1");
    EXPECT_TRUE(favorites.canAdd());
    EXPECT_TRUE(templates.canAdd());
    templates.newTemplate = " \t";
    EXPECT_FALSE(templates.canAdd()) << "blank fields keep the add button off";
    EXPECT_EQ(stored().favoriteTargets.size(), 7u);
}

TEST(KeyRecording, MapsKeysAndModifiersToStoredCombinations) {
    struct Case {
        KeyPress key;
        bool stops;
        std::optional<HotKeySpec> recorded;
    };
    auto with = [](std::uint32_t code, std::string text, bool control, bool option, bool shift,
                   bool command) {
        return KeyPress{code, false, std::move(text), control, option, shift, command};
    };
    const Case cases[] = {
        {with(0x00, "a", true, false, false, false), true, HotKeySpec{0x00, 0x1000, "⌃A"}},
        {with(0x12, "1", false, true, false, false), true, HotKeySpec{0x12, 0x800, "⌥1"}},
        {with(0x28, "k", false, false, true, true), true, HotKeySpec{0x28, 0x300, "⇧⌘K"}},
        {with(0x28, "k", true, true, false, true), true, HotKeySpec{0x28, 0x1900, "⌃⌥⌘K"}},
        {with(0x28, "k", true, true, true, true), true, HotKeySpec{0x28, 0x1B00, "⌃⌥⇧⌘K"}},
        {with(0x0E, "e", false, false, true, false), true, HotKeySpec{0x0E, 0x200, "⇧E"}},
        {with(0x60, "", true, false, false, false), true, HotKeySpec{0x60, 0x1000, "⌃F5"}},
        {with(0x6F, "", false, false, false, true), true, HotKeySpec{0x6F, 0x100, "⌘F12"}},
        {with(0x7B, "", false, true, false, false), true, HotKeySpec{0x7B, 0x800, "⌥←"}},
        {with(0x7E, "", false, true, false, false), true, HotKeySpec{0x7E, 0x800, "⌥↑"}},
        {with(0x24, "\r", true, false, false, false), true, HotKeySpec{0x24, 0x1000, "⌃↩"}},
        {with(0x30, "\t", true, false, false, false), true, HotKeySpec{0x30, 0x1000, "⌃⇥"}},
        {with(0x33, "\b", false, false, false, true), true, HotKeySpec{0x33, 0x100, "⌘⌫"}},
        {with(0x2C, "/", true, false, false, false), true, HotKeySpec{0x2C, 0x1000, "⌃/"}},
        {with(0x35, "\x1b", true, false, false, false), true, std::nullopt}, // Escape
        {with(0x00, "a", false, false, false, false), true, std::nullopt},   // no modifier
        {KeyPress{std::nullopt, false, "", true}, true, std::nullopt},       // a key without a code
        {KeyPress{std::nullopt, true, "", true}, false, std::nullopt},       // Control on its own
    };
    for (const Case& c : cases) {
        KeyRecordingStep step = KeyRecording::press(c.key);
        EXPECT_EQ(step.stopsRecording, c.stops) << c.key.text;
        EXPECT_EQ(step.recorded, c.recorded) << (c.recorded ? c.recorded->display : c.key.text);
    }
}

namespace {
struct FixedExtensionStatus final : platform::FinderExtensionStatus {
    bool isExtensionEnabled() const override { return false; }
};
} // namespace

TEST(GeneralModel, RefusedLoginRegistrationShowsTheRealStateWithoutASecondRequest) {
    platform::MemoryLoginItem loginItem;
    platform::MemoryUserDefaults defaults;
    FixedExtensionStatus extension;
    std::vector<bool> syncs;
    defaults.setBool("hideMenuBarIcon", true);
    GeneralModel model(
        {loginItem, defaults, extension, "/nonexistent-cloud", [&](bool on) { syncs.push_back(on); }});
    model.load();
    EXPECT_TRUE(model.hideMenuBarIcon());
    EXPECT_FALSE(model.cloudAvailable());

    model.setLaunchAtLogin(true);
    EXPECT_TRUE(model.launchAtLogin());
    loginItem.refuses = true;
    model.setLaunchAtLogin(false);
    EXPECT_TRUE(model.launchAtLogin());
    EXPECT_EQ(loginItem.calls, 2);

    model.setCloudSyncEnabled(true);
    EXPECT_EQ(defaults.boolForKey("iCloudSyncEnabled"), true);
    EXPECT_EQ(syncs, std::vector<bool>{true});
}

TEST(XdgAutostartLoginItem, WritesAndRemovesTheAutostartEntry) {
    TempContainer container;
    std::filesystem::path folder = container.root / "config/autostart";
    platform::XdgAutostartLoginItem item("/opt/My \"Apps\"/ondravell", folder);
    EXPECT_FALSE(item.isEnabled());
    ASSERT_TRUE(item.setEnabled(true));
    EXPECT_TRUE(item.isEnabled());
    std::optional<std::string> entry = fileBytes(folder / "ondravell.desktop");
    ASSERT_TRUE(entry);
    EXPECT_NE(entry->find("[Desktop Entry]\nType=Application\n"), std::string::npos);
    EXPECT_NE(entry->find("Exec=\"/opt/My \\\\\"Apps\\\\\"/ondravell\"\n"), std::string::npos) << *entry;
    ASSERT_TRUE(item.setEnabled(false));
    EXPECT_FALSE(item.isEnabled());
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}
