#include "App/MainWindow/Models/FavoriteTargetsModel.h"
#include "App/MainWindow/Models/GeneralModel.h"
#include "App/MainWindow/Models/HotKeysModel.h"
#include "App/MainWindow/Models/KeyRecording.h"
#include "App/MainWindow/Models/PathTemplatesModel.h"
#include "App/MainWindow/Models/SelectionEnginesModel.h"
#include "App/Services/ICloudSync.h"
#include "platform/FinderExtensionStatus.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryFileDialog.h"
#include "platform/memory/MemoryFolderWatcher.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "platform/memory/MemoryLoginItem.h"
#include "platform/memory/MemoryUserDefaults.h"
#include "platform/xdg/XdgAutostartLoginItem.h"
#include "tests/App/MainWindow/QueuedApplicationChooser.h"
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

TEST_F(SettingsSectionsTest, AnAddThatCannotBeSavedKeepsWhatWasTyped) {
    using List = SelectionEnginesModel::List;
    writeSettings(seeded);
    platform::MemoryInstalledApplications applications;
    QueuedApplicationChooser chooser;
    PathTemplatesModel paths;
    SelectionEnginesModel engines{{applications, chooser.chooser()}};
    paths.load();
    engines.load();
    using Typed = std::pair<std::string, std::string>;
    struct Row {
        const char* what;
        std::function<void(const Typed&)> type;
        std::function<void()> add;
        std::function<Typed()> typed;
        std::function<std::size_t()> count;
    };
    auto engineRow = [&](const char* what, List list) {
        return Row{what,
                   [&, list](const Typed& text) {
                       engines.setNewName(list, text.first);
                       engines.setNewTemplate(list, text.second);
                   },
                   [&, list] { engines.add(list); },
                   [&, list] {
                       return Typed{engines.newName(list), engines.newTemplate(list)};
                   },
                   [&, list] { return engines.custom(list).size(); }};
    };
    const std::vector<Row> rows{
        {"path template",
         [&](const Typed& text) {
             paths.newName = text.first;
             paths.newTemplate = text.second;
         },
         [&] { paths.add(); },
         [&] {
             return Typed{paths.newName, paths.newTemplate};
         },
         [&] { return paths.templates().size(); }},
        engineRow("search engine", List::search),
        engineRow("AI target", List::ai),
    };
    const Typed typed{" 名称 ", "https://example.org/?q={q}"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::optional<std::string> before = settingsBytes();
        const std::size_t count = row.count();
        row.type(typed);
        {
            ReadOnlySettingsFolder readOnly(settingsFile().parent_path());
            row.add();
        }
        EXPECT_EQ(settingsBytes(), before);
        EXPECT_EQ(row.count(), count);
        EXPECT_EQ(row.typed(), typed) << "a failed save keeps what was typed";
        row.add();
        EXPECT_EQ(row.count(), count + 1);
        EXPECT_EQ(row.typed(), Typed{}) << "a save that held empties the fields";
    }
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

// The general page's world: its platform services, a real configuration sync through a cloud folder,
// and the backup's dialog, confirmation and toasts.
struct GeneralWorld {
    platform::MemoryLoginItem loginItem;
    platform::MemoryUserDefaults defaults;
    FixedExtensionStatus extension;
    platform::ManualOneShotTimers timers;
    platform::MemoryFolderWatcher watcher;
    platform::MemoryFileDialog dialog;
    std::filesystem::path cloud;
    ICloudSync sync;
    bool confirms = true;
    int confirmations = 0;
    std::vector<std::string> toasts;

    explicit GeneralWorld(const std::filesystem::path& root)
        : cloud(root / "cloud"),
          sync({&defaults, &timers, &watcher,
                [this] { return 1'800'000'000.0 + timers.now().count() / 1000.0; }, nullptr, std::nullopt,
                cloud, nullptr}) {}

    GeneralModel model() {
        return GeneralModel(
            {loginItem,
             defaults,
             extension,
             &sync,
             {&dialog,
              [this] {
                  ++confirmations;
                  return confirms;
              },
              [this](const ConfigBackup::Message& message) { toasts.push_back(message.text); }}});
    }
};

} // namespace

TEST_F(SettingsSectionsTest, GeneralSwitchesWriteOnlyTheirOwnState) {
    GeneralWorld world(container.root);
    world.defaults.setBool("hideMenuBarIcon", true);
    world.defaults.setDouble("iCloudSyncLastAt", 1'700'000'000.0);
    GeneralModel model = world.model();
    model.load();
    EXPECT_TRUE(model.hideMenuBarIcon());
    EXPECT_FALSE(model.cloudAvailable());
    EXPECT_EQ(model.lastSync(), std::nullopt) << "no last sync while sync is off";

    // A refused registration shows the item's real state and asks the desktop no second time.
    model.setLaunchAtLogin(true);
    EXPECT_TRUE(model.launchAtLogin());
    world.loginItem.refuses = true;
    model.setLaunchAtLogin(false);
    EXPECT_TRUE(model.launchAtLogin());
    EXPECT_EQ(world.loginItem.calls, 2);

    model.setHideMenuBarIcon(false);
    EXPECT_EQ(world.defaults.boolForKey("hideMenuBarIcon"), false);
    EXPECT_EQ(world.defaults.boolForKey("iCloudSyncEnabled"), std::nullopt);

    // Sync on: the flag is stored, the sync writes the cloud file, and the page learns its time.
    std::filesystem::create_directories(world.cloud);
    EXPECT_TRUE(model.cloudAvailable());
    model.setCloudSyncEnabled(true);
    EXPECT_EQ(world.defaults.boolForKey("iCloudSyncEnabled"), true);
    EXPECT_TRUE(std::filesystem::exists(world.cloud / "Ondravell/Ondravell-sync.json"));
    EXPECT_EQ(model.lastSync(), 1'800'000'000.0);
    EXPECT_FALSE(world.watcher.watchedPaths().empty());
    // A push that cannot write shows as a failure, not as the time of an older sync.
    std::filesystem::remove(world.cloud / "Ondravell/Ondravell-sync.json");
    std::filesystem::create_directories(world.cloud / "Ondravell/Ondravell-sync.json/in-the-way");
    OndravellSettings changed;
    changed.maxCopyFileSizeMB = 5;
    SettingsService().save(changed);
    world.sync.push();
    model.load();
    EXPECT_TRUE(model.syncFailed());
    EXPECT_EQ(model.lastSync(), std::nullopt);
    std::filesystem::remove(settingsFile());
    model.setCloudSyncEnabled(false);
    EXPECT_TRUE(world.watcher.watchedPaths().empty()) << "sync off stops watching";
    EXPECT_EQ(model.lastSync(), std::nullopt);

    EXPECT_EQ(world.defaults.boolForKey("hideMenuBarIcon"), false);
    EXPECT_EQ(world.loginItem.calls, 2);
    EXPECT_EQ(settingsBytes(), std::nullopt) << "the general page writes no settings";
}

TEST_F(SettingsSectionsTest, GeneralSyncLineFollowsTheSyncWhileThePageIsOpen) {
    GeneralWorld world(container.root);
    const std::filesystem::path folder = world.cloud / "Ondravell";
    const std::filesystem::path syncFile = folder / "Ondravell-sync.json";
    std::filesystem::create_directories(world.cloud);
    world.defaults.setBool("iCloudSyncEnabled", true);
    world.sync.start();
    GeneralModel model = world.model();
    model.load();
    int shown = 0;
    model.setOnSyncChange([&] { ++shown; });
    // What the page's sync line says.
    auto line = [&]() -> std::string {
        if (model.syncFileUnreadable())
            return "paused";
        if (model.syncFailed())
            return "failed";
        return model.lastSync()
                   ? "synced at +" + std::to_string(std::int64_t(*model.lastSync() - 1'800'000'000))
                   : "nothing";
    };
    ASSERT_EQ(line(), "synced at +0");
    struct Step {
        const char* what;
        std::function<void()> act;
        std::string expected;
    } steps[] = {
        {"the sync file cut short",
         [&] {
             std::ofstream(syncFile, std::ios::trunc) << "{\"updatedAt\":";
             world.watcher.changed(folder);
         },
         "failed"},
        {"still so at the retry", [&] { world.timers.advance(ICloudSync::retryDelay); }, "paused"},
        {"removed by the user",
         [&] {
             std::filesystem::remove(syncFile);
             world.watcher.changed(folder);
         },
         "synced at +30"},
        {"a change pushed",
         [&] {
             OndravellSettings changed;
             changed.maxCopyFileSizeMB = 5;
             SettingsService().save(changed);
             world.timers.advance(std::chrono::seconds(5));
             world.sync.push();
         },
         "synced at +35"},
    };
    for (const Step& step : steps) {
        const int before = shown;
        step.act();
        EXPECT_EQ(line(), step.expected) << step.what;
        EXPECT_GT(shown, before) << step.what;
    }
}

TEST_F(SettingsSectionsTest, GeneralBackupButtonsExportAndImportThroughTheFileDialog) {
    writeSettings(seeded);
    GeneralWorld world(container.root);
    GeneralModel model = world.model();
    const std::filesystem::path file = container.root / "backup.json";

    model.exportConfig(); // cancelled
    world.dialog.answer(file);
    model.exportConfig();
    ASSERT_EQ(world.dialog.requests().size(), 2u);
    EXPECT_EQ(world.dialog.requests()[1].kind, platform::FileDialogRequest::Kind::saveFile);
    EXPECT_EQ(world.dialog.requests()[1].proposedName, "Ondravell-config.json");
    EXPECT_EQ(world.toasts, std::vector<std::string>{"配置已导出"});

    SettingsService().save(OndravellSettings{});
    world.confirms = false;
    world.dialog.answer(file);
    model.importConfig();
    EXPECT_EQ(stored(), OndravellSettings{}) << "an import the user declined changes nothing";
    world.confirms = true;
    world.dialog.answer(file);
    model.importConfig();
    EXPECT_EQ(stored().maxCopyFileSizeMB, 33);
    EXPECT_EQ(world.dialog.requests().back().nameFilters, std::vector<std::string>{"*.json"});

    std::ofstream(container.root / "other.json") << "{\"settings\": {}}";
    world.dialog.answer(container.root / "other.json");
    model.importConfig();
    EXPECT_EQ(world.confirmations, 2) << "an unreadable file is refused before the question";
    EXPECT_EQ(world.toasts, (std::vector<std::string>{"配置已导出", "配置已导入", "导入失败：文件无法解析"}));
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
