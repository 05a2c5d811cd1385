#include "App/MainWindow/Models/FinderActionsModel.h"

#include "core/FileOps/AppLauncherCatalog.h"
#include "platform/memory/MemoryInstalledApplications.h"
#include "tests/App/MainWindow/QueuedApplicationChooser.h"
#include "tests/App/MainWindow/SettingsFileFixture.h"

using namespace ondravell;
using namespace ondravell::test;

namespace {

class FinderActionsModelTest : public SettingsFileTest {
protected:
    platform::MemoryInstalledApplications applications;
    QueuedApplicationChooser chooser;
    FinderActionsModel page{{applications, chooser.chooser()}};

    std::vector<std::string> displayed() const {
        std::vector<std::string> ids;
        for (const auto& action : page.actions())
            ids.push_back(action.id);
        return ids;
    }
    std::size_t rowOf(const std::string& id) const {
        auto ids = displayed();
        return static_cast<std::size_t>(std::find(ids.begin(), ids.end(), id) - ids.begin());
    }
    const OndravellAction& action(const std::string& id) const { return page.actions()[rowOf(id)]; }
};

} // namespace

TEST_F(FinderActionsModelTest, EnabledActionsComeFirstInSavedOrderThenTheRestInTableOrder) {
    writeSettings(R"({"enabledActionIDs": ["hash", "nope", "copy.path", "hash"]})");
    page.load();
    auto ids = displayed();
    ASSERT_EQ(ids.size(), 18u);
    EXPECT_EQ(std::vector<std::string>(ids.begin(), ids.begin() + 4),
              (std::vector<std::string>{"hash", "copy.path", "copy.file", "cut.file"}));
    EXPECT_TRUE(page.isEnabled("hash"));
    EXPECT_FALSE(page.isEnabled("copy.file"));

    page.toggle(action("copy.file"), true); // enabled where it is shown, unknown and twice-listed ids gone
    EXPECT_EQ(stored().enabledActionIDs, (std::vector<std::string>{"hash", "copy.path", "copy.file"}));
}

TEST_F(FinderActionsModelTest, MovingRowsSavesTheOrderAndMovesOutOfTheListDoNothing) {
    page.load();
    page.moveRow(0, -1);
    page.moveRow(17, 1);
    EXPECT_EQ(settingsBytes(), std::nullopt);
    page.moveRow(rowOf("cut.file"), -1);
    page.moveRow(rowOf("copy.path"), 1);
    auto enabled = stored().enabledActionIDs;
    EXPECT_EQ(std::vector<std::string>(enabled.begin(), enabled.begin() + 3),
              (std::vector<std::string>{"cut.file", "copy.path", "copy.file"}));
    page.moveRows({rowOf("show.hidden")}, 0); // a drag to the top
    EXPECT_EQ(stored().enabledActionIDs.front(), "show.hidden");

    // A disabled action has no stored place: it comes back after the enabled ones.
    page.moveRow(rowOf("delete"), -1);
    page.load();
    EXPECT_GT(rowOf("delete"), rowOf("show.hidden"));
    EXPECT_GT(rowOf("delete"), rowOf("move.to"));
}

TEST_F(FinderActionsModelTest, DeleteWaitsForConfirmationAndSwitchesOffWithoutOne) {
    page.load();
    auto before = settingsBytes();
    page.toggle(action("delete"), true);
    EXPECT_EQ(page.pendingDangerousID(), "delete");
    EXPECT_FALSE(page.isEnabled("delete"));
    EXPECT_EQ(settingsBytes(), before);
    page.cancelDangerous();
    EXPECT_EQ(settingsBytes(), before);

    page.toggle(action("delete"), true);
    page.confirmDangerous();
    EXPECT_TRUE(stored().enabledIDSet().contains("delete"));
    EXPECT_FALSE(page.pendingDangerousID());
    page.toggle(action("delete"), false);
    EXPECT_FALSE(stored().enabledIDSet().contains("delete"));
}

TEST_F(FinderActionsModelTest, EmptyRulesAndGroupsRemoveTheirEntriesAndGroupsAreListedOnce) {
    page.load();
    ActionRule images;
    images.fileExtensions = {"png"};
    page.setRule(images, "copy.path");
    page.setGroup("图片", "hash");
    page.setGroup("图片", "copy.file");
    page.setGroup("网络", "cut.file");
    EXPECT_EQ(stored().actionRules.at("copy.path"), images);
    EXPECT_EQ(page.existingGroups(), (std::vector<std::string>{"图片", "网络"}));

    page.setRule(ActionRule(), "copy.path");
    page.setGroup(std::string(), "hash");
    page.setGroup(std::nullopt, "cut.file");
    EXPECT_TRUE(stored().actionRules.empty());
    EXPECT_EQ(stored().actionGroupAssignment, (std::map<std::string, std::string>{{"copy.file", "图片"}}));
}

TEST_F(FinderActionsModelTest, OnlyThePagesNineFieldsAreWrittenAndLongListsSurvive) {
    std::string favourites;
    for (int i = 0; i < 40; ++i)
        favourites += (i ? ",\"/f" : "\"/f") + std::to_string(i) + "\"";
    writeSettings(R"({"favoriteTargets": [)" + favourites + R"(], "maxCopyFileSizeMB": 800,
        "customTerminalBundleIDs": ["gone.app"], "preferredEditorBundleID": "removed.editor"})");
    page.load();
    OndravellSettings other = stored();
    other.newFileTemplateOrder = {"md", "txt"};
    SettingsService().save(other);

    page.setNestUnder(true);
    OndravellSettings after = stored();
    EXPECT_TRUE(after.nestUnderOndravell);
    EXPECT_EQ(after.favoriteTargets.size(), 40u);
    EXPECT_EQ(after.newFileTemplateOrder, (std::vector<std::string>{"md", "txt"}));
    EXPECT_EQ(after.maxCopyFileSizeMB, 800);
    EXPECT_EQ(after.preferredEditorBundleID, "removed.editor");
    EXPECT_EQ(after.customTerminalBundleIDs, std::vector<std::string>{"gone.app"});

    page.setMaxCopyMB(0);
    EXPECT_EQ(stored().maxCopyFileSizeMB, 1);
    page.setMaxCopyMB(501);
    EXPECT_EQ(stored().maxCopyFileSizeMB, 500);
}

TEST_F(FinderActionsModelTest, OpenWithListsOnlyInstalledApplicationsAndAddsCustomOnes) {
    const std::string kitty = "net.kovidgoyal.kitty";
    const std::string code = "com.microsoft.VSCode";
    applications.install(kitty, "kitty", "kitty");
    applications.install(code, "Code");
    applications.install("org.gnome.gedit", "Text Editor.app", "/usr/share/pixmaps/gedit.png");
    applications.install("org.xfce.mousepad", "Mousepad");
    writeSettings(R"({"customEditorBundleIDs": ["org.xfce.mousepad", "not.installed"]})");
    page.load();
    EXPECT_EQ(page.installedTerminals(), (std::vector<LaunchableApp>{{kitty, "kitty"}}));
    EXPECT_EQ(page.installedEditors(),
              (std::vector<LaunchableApp>{{code, "Visual Studio Code"}, {"org.xfce.mousepad", "Mousepad"}}));

    chooser.answers = {std::nullopt, "org.gnome.gedit", "org.gnome.gedit", kitty};
    page.addCustomApp(false); // cancelled
    EXPECT_EQ(settingsBytes(), R"({"customEditorBundleIDs": ["org.xfce.mousepad", "not.installed"]})");
    // The installed applications are offered by name (letter case aside) with their icons.
    ASSERT_EQ(chooser.offered.size(), 1u);
    EXPECT_EQ(chooser.offered[0], (std::vector<platform::InstalledApplication>{
                                      {code, "Code", ""},
                                      {kitty, "kitty", "kitty"},
                                      {"org.xfce.mousepad", "Mousepad", ""},
                                      {"org.gnome.gedit", "Text Editor.app", "/usr/share/pixmaps/gedit.png"},
                                  }));
    page.addCustomApp(false);
    page.addCustomApp(false);
    EXPECT_EQ(page.installedEditors().back(), (LaunchableApp{"org.gnome.gedit", "Text Editor"}));
    EXPECT_EQ(stored().customEditorBundleIDs,
              (std::vector<std::string>{"org.xfce.mousepad", "not.installed", "org.gnome.gedit"}));
    page.addCustomApp(false); // a catalogue terminal, as the editor
    EXPECT_EQ(stored().preferredEditorBundleID, kitty);
    EXPECT_EQ(page.installedEditors().size(), 3u);

    page.setPreferredTerminal(std::nullopt);
    EXPECT_EQ(stored().preferredTerminalBundleID, std::nullopt);
}
